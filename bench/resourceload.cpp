// Start-up time: from entering main to "All ressources loaded.", the way the game starts (SDL
// video, a 1280 x 720 OpenGL 3.3 core window, GLEW, then every graphics resource). Run it from
// the repository root; under Xvfb it measures Mesa's software renderer.
#include "engine/core/log.h"
#include "game/resources/renderresources.h"

#include <GL/glew.h>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main()
{
    const Clock::time_point start = Clock::now();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("Engine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "window or GL context: %s\n", SDL_GetError());
        return 1;
    }
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {
    }
    const double windowMs = millisecondsSince(start);

    const Clock::time_point loadStart = Clock::now();
    auto resources = std::make_unique<Game::RenderResources>(1280, 720);
    glFinish();
    const double loadMs = millisecondsSince(loadStart);
    Engine::logLine("All ressources loaded.");
    const double totalMs = millisecondsSince(start);

    std::printf("window and context: %.1f ms\nresources: %.1f ms\nstart to \"All ressources loaded.\": %.1f ms\n",
                windowMs, loadMs, totalMs);
    std::printf("resources share of start-up: %.2f\n", loadMs / totalMs);
    resources.reset();
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
