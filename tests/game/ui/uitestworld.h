#pragma once
// A world with the UI layer over the game's loaded resources, driven like the game drives it:
// each step takes a fresh input snapshot, handles clicks, runs the text-input and pointer-over-UI
// systems, handles messages and refreshes the world. Needs the GL fixture.
#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/rendercontext.h"
#include "game/core/gamestaterecord.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/mouseonuichecksystem.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uilayer.h"
#include "game/ui/uitextinputsystem.h"
#include "tests/support/scriptedsource.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <string>
#include <vector>

namespace UiTest {

// The game's resources, loaded once per test process (loading compiles every program).
inline const Game::RenderResources& resources()
{
    static const auto* loaded = [] {
        testing::internal::CaptureStdout(); // the progress lines
        const auto* made = new Game::RenderResources(1280, 720);
        testing::internal::GetCapturedStdout();
        return made;
    }();
    return *loaded;
}

class UiWorld {
public:
    UiWorld() : engine(&source)
    {
        source.windowWidth = 1280;
        source.windowHeight = 720;
        engine.createInputState(nullptr);
        engine.renderContext = std::make_unique<Engine::GFX::RenderContext>();
        world.registerComponent<Component::TransformComponent>();
        ui = std::make_unique<UI::UiLayer>(world, engine, resources(), state);
    }
    ~UiWorld()
    {
        world.destroyAllEntities();
        world.refresh();
    }
    UiWorld(const UiWorld&) = delete;
    UiWorld& operator=(const UiWorld&) = delete;

    // Input of the next step.
    void pointAt(int x, int y)
    {
        pointer = {x, y};
    }
    void holdLeftButton(bool down) { leftDown = down; }
    void holdKey(SDL_Scancode key, bool down) { source.keys[key] = down ? 1 : 0; }
    void type(const std::string& text) { typed.push_back(text); }

    // One game update.
    void step()
    {
        engine.keyboard->refresh();
        Engine::MouseState& mouse = *engine.mouse;
        mouse.previousButtons = mouse.buttons;
        mouse.buttons = leftDown ? SDL_BUTTON_LMASK : 0;
        mouse.posX = pointer.x;
        mouse.posY = pointer.y;
        engine.textInput = typed;
        typed.clear();
        ui->handleClicks();
        world.getSystem<UI::System::UItextInputSystem>()->run(0.0f);
        world.getSystem<UI::System::MouseOnUIcheckSystem>()->run(0.0f);
        world.processMessages();
        world.refresh();
    }
    // A full click at (x, y): move there, press, release.
    void click(int x, int y)
    {
        pointAt(x, y);
        step();
        holdLeftButton(true);
        step();
        holdLeftButton(false);
        step();
    }
    // A click at (x, y) whose press step held `presses` presses, as a slow frame delivers both
    // clicks of a double click together.
    void clickWithPresses(int x, int y, uint8_t presses)
    {
        pointAt(x, y);
        step();
        holdLeftButton(true);
        engine.mouse->presses[0] = presses;
        step();
        holdLeftButton(false);
        step();
        engine.mouse->presses[0] = 1;
    }
    // A key pressed in one step and released in the next.
    void tap(SDL_Scancode key)
    {
        holdKey(key, true);
        step();
        holdKey(key, false);
        step();
    }

    // Draws every UI layer through the screen-pixel camera of the window.
    void draw()
    {
        engine.renderContext->viewMatrix = glm::mat4(1.0f);
        engine.renderContext->projectionMatrix =
            glm::ortho(0.0f, float(source.windowWidth), 0.0f, float(source.windowHeight), -10.0f, 10.0f);
        ui->draw();
    }

    const Engine::GFX::Texture2D* white() const { return resources().whiteTexture.get(); }
    const Engine::GFX::Font& font() const { return resources().engineFont; }

    TestSupport::ScriptedSource source;
    Engine::EngineCore engine;
    ECS::EntityManager world;
    Game::GameStateRecord state;
    std::unique_ptr<UI::UiLayer> ui;

private:
    glm::ivec2 pointer{0, 0};
    bool leftDown = false;
    std::vector<std::string> typed;
};

} // namespace UiTest
