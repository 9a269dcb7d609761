#pragma once
// What the game benchmarks share: a loop source that scripts the clock, the keys and the pointer
// over a real SDL window, with the figures helpers they print with.
#include "bench/support/figures.h"
#include "engine/core/loopsource.h"

#include <SDL.h>

#include <array>

namespace BenchSupport {

// The clock, the keys and the pointer are the benchmark's; the window is SDL's. Events are
// drained so the X server stays answered, and dropped.
class BenchSource final : public Engine::SdlLoopSource {
public:
    BenchSource() = default;
    // A pointer that rests at (x, y) in window pixels.
    BenchSource(int x, int y) : pointerX(x), pointerY(y) {}

    Uint32 ticks() override { return clock; }
    bool pollEvent(SDL_Event&) override
    {
        SDL_Event ignored;
        while (SDL_PollEvent(&ignored) != 0) {
        }
        return false;
    }
    const Uint8* keyboardState(int& numKeys) override
    {
        numKeys = int(keys.size());
        return keys.data();
    }
    Uint32 mouseState(int& x, int& y) override
    {
        x = pointerX;
        y = pointerY;
        return 0;
    }
    void startTextInput() override {}
    void stopTextInput() override {}
    void setRelativeMouseMode(bool) override {}
    void warpMouse(SDL_Window*, int, int) override {}

    Uint32 clock = 0;
    std::array<Uint8, SDL_NUM_SCANCODES> keys{};
    int pointerX = 640;
    int pointerY = 360;
};

} // namespace BenchSupport
