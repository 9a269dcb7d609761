#pragma once
// The real game controller in the hidden test window, driven through the real engine loop by a
// scripted loop source: time, keys, pointer and buttons are the test's. HOME points at a
// temporary folder (with a Documents folder) for the whole test, so the user map folder is made
// there. Each test starts from a freshly initialised game in the main menu.
#include "engine/core/enginecore.h"
#include "game/gamecontroller/gamecontroller.h"
#include "tests/support/gltest.h"
#include "tests/support/homeredirect.h"
#include "tests/support/scriptedsource.h"

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

class GameHarness : public GLTest {
public:
    using Pixel = std::array<uint8_t, 4>;

protected:
    void SetUp() override;
    void TearDown() override;

    // Runs frames through the engine loop until `updates` updates have run, up to ten per frame,
    // and returns the number of frames rendered.
    int runUpdates(int updates);
    // Runs `updates` game updates on the input of the last step without drawing a frame: long
    // stretches of game time (timers counted in minutes) at a fraction of the cost.
    void runUndrawnUpdates(int updates);
    // Runs one frame `elapsedMs` after the previous one.
    int frameAfter(Uint32 elapsedMs);

    // Holds or lets go of a key (SDL scancode); the next update sees it.
    void setKey(SDL_Scancode key, bool down) { source.keys[key] = down ? 1 : 0; }

    // RGBA bytes of the rectangle from (x, y) (pixels from the bottom-left corner), row by row,
    // from colour attachment `attachment` of the scene target, or of the window when negative.
    std::vector<Pixel> readPixels(int attachment, int x, int y, int width, int height);

    Game::GameController& game() { return *controller; }

    HomeRedirect home;
    ScriptedSource source;
    std::unique_ptr<Engine::EngineCore> engine;
    std::unique_ptr<Game::GameController> controller;
    std::string initLog; // what init printed on standard output

private:
    SDL_Window* window = nullptr;
};

} // namespace TestSupport
