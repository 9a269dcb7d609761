#pragma once
// Everything the main loop and the game exchange with the outside: the millisecond clock, the
// event queue, the key array, the pointer and the window, and what the game asks of them (relative mouse mode,
// pointer warps, text input, the window's shape, title, icon and grab). The game uses SDL's; tests
// and the autoplay driver script their own, so that they see every request and the loop runs
// without waiting.
#include <SDL.h>

#include <vector>

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
    // Whether the game draws the coming frame; a source may skip frames that nobody sees (a
    // scripted run that checks what the game does, not each picture). The swap follows either way.
    virtual bool wantsFrame() { return true; }
    virtual void startTextInput() = 0;
    virtual void stopTextInput() = 0;
    // Captures (true) or releases the pointer; captured, it reports relative motion only.
    virtual void setRelativeMouseMode(bool enabled) = 0;
    // Moves the pointer to window pixels (x, y), y downwards.
    virtual void warpMouse(SDL_Window* window, int x, int y) = 0;

    // The window requests. Each names the window it concerns, which is never null.
    // Sets the swap interval (1 vsync, 0 none, -1 adaptive); false when the driver refuses it.
    virtual bool setSwapInterval(int interval) = 0;
    // The window's icon from the image file at `path`; false when the file cannot be read.
    virtual bool setWindowIcon(SDL_Window* window, const char* path) = 0;
    virtual void setWindowTitle(SDL_Window* window, const char* title) = 0;
    virtual void setMinimumWindowSize(SDL_Window* window, int width, int height) = 0;
    virtual bool isFullscreen(SDL_Window* window) = 0;
    // Exclusive full screen on (true) or off.
    virtual void setFullscreen(SDL_Window* window, bool fullscreen) = 0;
    // The display mode full screen takes: the one of the window's display nearest width x height.
    virtual void setFullscreenMode(SDL_Window* window, int width, int height) = 0;
    // Sizes the window and centres it on its display.
    virtual void setWindowSize(SDL_Window* window, int width, int height) = 0;
    // The resolutions the window's display offers, as (width, height).
    virtual std::vector<SDL_Point> displayModes(SDL_Window* window) = 0;
    // Confines the pointer to the window (true) or lets it go.
    virtual void setWindowGrab(SDL_Window* window, bool grabbed) = 0;
    // Shows or hides the system's pointer over the window.
    virtual void showCursor(bool shown) = 0;
};

// The real thing: SDL's clock, event queue, pointer and window. The autoplay source takes its
// window requests and replaces the rest.
class SdlLoopSource : public LoopSource {
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

    bool setSwapInterval(int interval) override { return SDL_GL_SetSwapInterval(interval) == 0; }
    bool setWindowIcon(SDL_Window* window, const char* path) override;
    void setWindowTitle(SDL_Window* window, const char* title) override { SDL_SetWindowTitle(window, title); }
    void setMinimumWindowSize(SDL_Window* window, int width, int height) override
    {
        SDL_SetWindowMinimumSize(window, width, height);
    }
    bool isFullscreen(SDL_Window* window) override
    {
        return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    }
    void setFullscreen(SDL_Window* window, bool fullscreen) override
    {
        SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN : 0);
    }
    void setFullscreenMode(SDL_Window* window, int width, int height) override;
    void setWindowSize(SDL_Window* window, int width, int height) override;
    std::vector<SDL_Point> displayModes(SDL_Window* window) override;
    void setWindowGrab(SDL_Window* window, bool grabbed) override
    {
        SDL_SetWindowGrab(window, grabbed ? SDL_TRUE : SDL_FALSE);
    }
    void showCursor(bool shown) override { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }
};

} // namespace Engine
