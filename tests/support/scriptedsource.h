#pragma once
// A loop source that tests script by hand: a clock that moves only when told, a queue of events,
// a key array, a pointer and a window size, and a record of everything the game asked of SDL
// (text input, relative mouse mode, warps). Nothing touches SDL, so the engine loop runs without
// a window and without waiting.
#include "engine/core/loopsource.h"

#include <SDL.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

class ScriptedSource final : public Engine::LoopSource {
public:
    Uint32 ticks() override { return now += advancePerCall; }
    bool pollEvent(SDL_Event& event) override;
    const Uint8* keyboardState(int& numKeys) override;
    Uint32 mouseState(int& x, int& y) override;
    void windowSize(SDL_Window* window, int& width, int& height) override;
    void swapWindow(SDL_Window*) override { ++swaps; }
    void startTextInput() override { textInputActive = true; }
    void stopTextInput() override { textInputActive = false; }
    void setRelativeMouseMode(bool enabled) override { relativeMouseMode = enabled; }
    // Moves the pointer, as SDL does, and records the request.
    void warpMouse(SDL_Window* window, int x, int y) override;

    // The window requests: each is recorded, and sets the state a real window would take.
    bool setSwapInterval(int interval) override;
    bool setWindowIcon(SDL_Window*, const char* path) override;
    void setWindowTitle(SDL_Window*, const char* title) override { windowTitle = title; }
    void setMinimumWindowSize(SDL_Window*, int width, int height) override { minimumSize = {width, height}; }
    bool isFullscreen(SDL_Window*) override { return fullscreen; }
    void setFullscreen(SDL_Window*, bool on) override;
    void setFullscreenMode(SDL_Window*, int width, int height) override { fullscreenMode = {width, height}; }
    // Sizes the window as asked, also when it is smaller than the minimum; tests may check both.
    void setWindowSize(SDL_Window*, int width, int height) override;
    std::vector<SDL_Point> displayModes(SDL_Window*) override { return modes; }
    void setWindowGrab(SDL_Window*, bool grabbed) override { pointerGrabbed = grabbed; }
    void showCursor(bool shown) override { cursorShown = shown; }

    // Queue events for the next update step.
    void motion(int xrel, int yrel);
    void wheel(int y);
    void text(const char* typed);
    void plain(Uint32 type);
    // Queue a key or button event alone; the live state (keys, buttons) is the test's to set.
    void keyEvent(SDL_Scancode key, bool down, bool repeat = false);
    void buttonEvent(Uint8 button, bool down);
    // A tap whose press and release both arrive before the next poll, as a remote desktop or
    // a touchpad's tap delivers it: both events queued, the live state left up.
    void tapKey(SDL_Scancode key);
    void tapButton(Uint8 button);

    Uint32 now = 1000;
    Uint32 advancePerCall = 0; // added to the clock at every reading
    std::deque<SDL_Event> pending;
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    int pointerX = 0;
    int pointerY = 0;
    Uint32 buttons = 0;
    int windowWidth = 640;
    int windowHeight = 480;
    int swaps = 0;
    bool textInputActive = false;
    bool relativeMouseMode = false;
    std::vector<std::pair<int, int>> warps;

    // What the window requests left, and a line per request that changed the window
    // ("fullscreen on", "size 800x600", "swap 1"...), in order.
    std::vector<std::string> windowRequests;
    int swapInterval = 0;
    bool adaptiveVsync = true; // false: the driver refuses a swap interval of -1
    std::string iconPath;
    bool iconReadable = true;
    std::string windowTitle = "Engine";
    std::pair<int, int> minimumSize{0, 0};
    bool fullscreen = false;
    std::pair<int, int> fullscreenMode{0, 0};
    std::vector<SDL_Point> modes{{1920, 1080}, {1280, 720}, {800, 600}};
    bool pointerGrabbed = false;
    bool cursorShown = true;
};

} // namespace TestSupport
