#pragma once
// Everything the main loop and the game exchange with the outside: the millisecond clock, the
// event queue, the key array, the pointer and the window, and what the game asks of them (relative mouse mode,
// pointer warps, text input). The game uses SDL's; tests and the autoplay driver script their own,
// so that they see every request and the loop runs without waiting.
#include <SDL.h>

namespace Engine {

class LoopSource {
public:
    virtual ~LoopSource() = default;
    // Milliseconds since an arbitrary start; wraps like SDL_GetTicks.
    virtual Uint32 ticks() = 0;
    // Takes the next pending event; false when there is none.
    virtual bool pollEvent(SDL_Event& event) = 0;
    // The live key array, indexed by SDL scancode (non-zero = held), and its length. The keyboard
    // snapshot keeps the pointer and copies the array once per step, after the step's events.
    virtual const Uint8* keyboardState(int& numKeys) = 0;
    // Pointer position in window pixels (y downwards) and the SDL button mask.
    virtual Uint32 mouseState(int& x, int& y) = 0;
    virtual void windowSize(SDL_Window* window, int& width, int& height) = 0;
    // The size in pixels of the window's GL drawable, which the render targets match. It is the
    // window's size unless the window has more pixels than its size in screen units (high DPI).
    virtual void drawableSize(SDL_Window* window, int& width, int& height) { windowSize(window, width, height); }
    virtual void swapWindow(SDL_Window* window) = 0;
    virtual void startTextInput() = 0;
    virtual void stopTextInput() = 0;
    // Captures (true) or releases the pointer; captured, it reports relative motion only.
    virtual void setRelativeMouseMode(bool enabled) = 0;
    // Moves the pointer to window pixels (x, y), y downwards.
    virtual void warpMouse(SDL_Window* window, int x, int y) = 0;
};

// The real thing: SDL's clock, event queue, pointer and window.
class SdlLoopSource final : public LoopSource {
public:
    Uint32 ticks() override { return SDL_GetTicks(); }
    bool pollEvent(SDL_Event& event) override { return SDL_PollEvent(&event) != 0; }
    const Uint8* keyboardState(int& numKeys) override { return SDL_GetKeyboardState(&numKeys); }
    Uint32 mouseState(int& x, int& y) override { return SDL_GetMouseState(&x, &y); }
    void windowSize(SDL_Window* window, int& width, int& height) override
    {
        SDL_GetWindowSize(window, &width, &height);
    }
    void drawableSize(SDL_Window* window, int& width, int& height) override
    {
        SDL_GL_GetDrawableSize(window, &width, &height);
    }
    void swapWindow(SDL_Window* window) override { SDL_GL_SwapWindow(window); }
    void startTextInput() override { SDL_StartTextInput(); }
    void stopTextInput() override { SDL_StopTextInput(); }
    void setRelativeMouseMode(bool enabled) override { SDL_SetRelativeMouseMode(enabled ? SDL_TRUE : SDL_FALSE); }
    void warpMouse(SDL_Window* window, int x, int y) override { SDL_WarpMouseInWindow(window, x, y); }
};

} // namespace Engine
