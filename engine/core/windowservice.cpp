#include "engine/core/windowservice.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

namespace Engine {

SDL_Window* WindowService::window() const
{
    return engine->window ? engine->window->window : nullptr;
}

LoopSource& WindowService::source() const
{
    return engine->loopSource();
}

void WindowService::setIcon(const std::string& path)
{
    SDL_Window* const target = window();
    if (!target)
        return;
    if (!source().setWindowIcon(target, path.c_str()))
        logMissingFile(path);
}

void WindowService::setTitle(const char* title)
{
    if (SDL_Window* const target = window())
        source().setWindowTitle(target, title);
}

void WindowService::applySwapInterval(int interval)
{
    if (engine->window && engine->window->handle)
        engine->window->handle->swapInterval = interval;
    if (!source().setSwapInterval(interval) && interval < 0) {
        // Adaptive vsync needs a driver that offers it; plain vsync is the nearest.
        logf("Adaptive vsync is not available here (%s): vsync is on\n", SDL_GetError());
        source().setSwapInterval(1);
    }
}

void WindowService::apply(const WindowShape& shape)
{
    applySwapInterval(shape.swapInterval);
    SDL_Window* const target = window();
    if (!target)
        return;
    source().setMinimumWindowSize(target, shape.smallest.x, shape.smallest.y);
    const bool fullscreenNow = source().isFullscreen(target);
    if (shape.fullscreen) {
        // Exclusive full screen in the display mode nearest the configured resolution.
        source().setFullscreenMode(target, shape.width, shape.height);
        if (!fullscreenNow)
            source().setFullscreen(target, true);
        return;
    }
    if (fullscreenNow)
        source().setFullscreen(target, false);
    int width = 0;
    int height = 0;
    source().windowSize(target, width, height);
    if (fullscreenNow || width != shape.width || height != shape.height)
        source().setWindowSize(target, shape.width, shape.height);
}

std::vector<glm::ivec2> WindowService::displayModes() const
{
    std::vector<glm::ivec2> modes;
    SDL_Window* const target = window();
    if (!target)
        return modes;
    for (const SDL_Point& mode : source().displayModes(target))
        modes.emplace_back(mode.x, mode.y);
    return modes;
}

glm::ivec2 WindowService::drawableSize() const
{
    glm::ivec2 size(0);
    source().drawableSize(window(), size.x, size.y);
    return size;
}

void WindowService::grabPointer(bool grabbed)
{
    if (SDL_Window* const target = window())
        source().setWindowGrab(target, grabbed);
}

void WindowService::showSystemPointer(bool shown)
{
    source().showCursor(shown);
}

void WindowService::capturePointer(bool captured)
{
    source().setRelativeMouseMode(captured);
    if (captured && engine->mouse)
        engine->mouse->discardRelativeMotion();
}

void WindowService::centrePointer()
{
    int width = 0;
    int height = 0;
    source().windowSize(window(), width, height);
    source().warpMouse(window(), width / 2, height / 2);
}

} // namespace Engine
