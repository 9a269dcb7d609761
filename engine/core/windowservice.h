#pragma once
// The game's window: its icon, title, full screen or windowed size, swap interval, the display
// modes it can take, the size of its GL drawable, the pointer's grab and the system pointer. Every
// request goes through the engine's loop source, so tests and autoplay see each of them.
#include <SDL.h>
#include <glm/vec2.hpp>

#include <string>
#include <vector>

namespace Engine {

class EngineCore;
class LoopSource;

// What the window is to look like.
struct WindowShape {
    bool fullscreen = false;
    // The windowed size, or the resolution whose nearest display mode full screen takes.
    int width = 0;
    int height = 0;
    // 1 vsync, 0 none, -1 adaptive (plain vsync where the driver lacks it).
    int swapInterval = 1;
    glm::ivec2 smallest{0};
};

class WindowService {
public:
    // `engine` must outlive the service; without a window only the swap interval is set.
    explicit WindowService(EngineCore& engine) : engine(&engine) {}

    // The window's icon from the image file at `path`; a missing file is logged and skipped.
    void setIcon(const std::string& path);
    void setTitle(const char* title);
    // Brings the window in line with `shape`; a windowed size change centres the window.
    void apply(const WindowShape& shape);
    // The resolutions of the window's display.
    std::vector<glm::ivec2> displayModes() const;
    // The size in pixels of the window's GL drawable.
    glm::ivec2 drawableSize() const;
    // Confines the pointer to the window (true) or lets it go.
    void grabPointer(bool grabbed);
    // Shows or hides the system's pointer; the game hides it and draws its own.
    void showSystemPointer(bool shown);
    // Captures the pointer for looking around (relative motion, the pointer held in place) or
    // lets it go; the jump of capturing is not read as a movement.
    void capturePointer(bool captured);
    // Moves the pointer to the middle of the window, without a motion event.
    void centrePointer();

private:
    SDL_Window* window() const;
    LoopSource& source() const;
    void applySwapInterval(int interval);

    EngineCore* engine;
};

} // namespace Engine
