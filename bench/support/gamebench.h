#pragma once
// The real engine and game controller over a scripted loop source, for the benchmarks that
// measure the whole game in a real window.
#include "bench/support/benchsource.h"
#include "engine/core/enginecore.h"
#include "game/gamecontroller/gamecontroller.h"

#include <GL/glew.h>
#include <SDL.h>

#include <cstdio>

namespace BenchSupport {

struct GameBench {
    GameBench() = default;
    // A pointer that rests at (x, y) in window pixels.
    GameBench(int x, int y) : source(x, y) {}
    GameBench(const GameBench&) = delete;
    GameBench& operator=(const GameBench&) = delete;

    // Starts the engine for the game; false, with a line on standard error, when it cannot.
    bool start()
    {
        engine.game = &game;
        SDL_SetMainReady();
        if (engine.startUp())
            return true;
        std::fprintf(stderr, "The engine could not start (is there a display?)\n");
        return false;
    }

    // One game update one step later, with the keys as they stand; answers its milliseconds.
    double update()
    {
        source.clock += Game::GameController::kStepMs;
        engine.keyboard->refresh();
        const Clock::time_point start = Clock::now();
        game.update();
        return msSince(start);
    }

    // One frame drawn and shown, the GPU's work included; answers its milliseconds.
    double frame()
    {
        const Clock::time_point start = Clock::now();
        game.render(0.5f);
        source.swapWindow(engine.window->window);
        glFinish();
        return msSince(start);
    }

    BenchSource source;
    Engine::EngineCore engine{&source};
    Game::GameController game{engine};
};

} // namespace BenchSupport
