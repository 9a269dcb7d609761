#pragma once
// What the game benchmarks share: a loop source that scripts the clock, the keys and the pointer
// over a real SDL window, and the small figures helpers they print with.
#include "engine/core/loopsource.h"

#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace BenchSupport {

using Clock = std::chrono::steady_clock;

// The clock, the keys and the pointer are the benchmark's; the window is SDL's. Events are
// drained so the X server stays answered, and dropped.
class BenchSource final : public Engine::LoopSource {
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
    void windowSize(SDL_Window* window, int& width, int& height) override { SDL_GetWindowSize(window, &width, &height); }
    void swapWindow(SDL_Window* window) override { SDL_GL_SwapWindow(window); }
    void startTextInput() override {}
    void stopTextInput() override {}
    void setRelativeMouseMode(bool) override {}
    void warpMouse(SDL_Window*, int, int) override {}

    Uint32 clock = 0;
    std::array<Uint8, SDL_NUM_SCANCODES> keys{};
    int pointerX = 640;
    int pointerY = 360;
};

inline double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

inline double msSince(Clock::time_point from) { return msBetween(from, Clock::now()); }

// The one-minute load average, or -1 where the system cannot tell it.
inline double loadAverage()
{
    double load[1] = {-1.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

inline double mean(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

} // namespace BenchSupport
