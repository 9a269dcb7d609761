// Entry point: creates the engine and the game as locals, links them and runs the engine.
#include "engine/core/enginecore.h"
#include "engine/core/gameprototype.h"

#include <GL/glew.h>

namespace {

// Stands in for the game until the real controller takes over: clears the window every frame
// and ends the program on Escape or when the window is closed.
class ClearScreenGame final : public Engine::GamePrototype {
public:
    explicit ClearScreenGame(Engine::EngineCore& engine) : engine_(engine) {}

    void init() override
    {
        engine_.stepMs = 10;
        engine_.accumulator = 0;
        engine_.lastTicks = SDL_GetTicks();
    }

    void update() override
    {
        if (engine_.keyboard->isPressed(SDL_SCANCODE_ESCAPE))
            engine_.quit = true;
    }

    void render(float) override
    {
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(engine_.window->window, &width, &height);
        glViewport(0, 0, width, height);
        glClearColor(0.08f, 0.10f, 0.16f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void shutdown() override {}

private:
    Engine::EngineCore& engine_;
};

} // namespace

int main(int, char**)
{
    Engine::EngineCore engine;
    ClearScreenGame game(engine);
    engine.game = &game;
    return engine.run();
}
