#include "engine/core/windowservice.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

#include <SDL_image.h>

#include <algorithm>

namespace Engine {

SDL_Window* WindowService::window() const
{
    return engine->window ? engine->window->window : nullptr;
}

void WindowService::setIcon(const std::string& path)
{
    SDL_Window* const target = window();
    if (!target)
        return;
    SDL_Surface* const icon = IMG_Load(path.c_str());
    if (!icon) {
        logMissingFile(path);
        return;
    }
    SDL_SetWindowIcon(target, icon);
    SDL_FreeSurface(icon);
}

void WindowService::applySwapInterval(int interval)
{
    if (engine->window && engine->window->handle)
        engine->window->handle->swapInterval = interval;
    if (SDL_GL_SetSwapInterval(interval) != 0 && interval < 0) {
        // Adaptive vsync needs a driver that offers it; plain vsync is the nearest.
        logf("Adaptive vsync is not available here (%s): vsync is on\n", SDL_GetError());
        SDL_GL_SetSwapInterval(1);
    }
}

void WindowService::apply(const WindowShape& shape)
{
    applySwapInterval(shape.swapInterval);
    SDL_Window* const target = window();
    if (!target)
        return;
    SDL_SetWindowMinimumSize(target, shape.smallest.x, shape.smallest.y);
    const bool fullscreenNow = (SDL_GetWindowFlags(target) & SDL_WINDOW_FULLSCREEN) != 0;
    if (shape.fullscreen) {
        // Exclusive full screen in the display mode nearest the configured resolution.
        const SDL_DisplayMode wanted{0, shape.width, shape.height, 0, nullptr};
        SDL_DisplayMode mode;
        if (SDL_GetClosestDisplayMode(std::max(SDL_GetWindowDisplayIndex(target), 0), &wanted, &mode) != nullptr)
            SDL_SetWindowDisplayMode(target, &mode);
        if (!fullscreenNow)
            SDL_SetWindowFullscreen(target, SDL_WINDOW_FULLSCREEN);
        return;
    }
    if (fullscreenNow)
        SDL_SetWindowFullscreen(target, 0);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(target, &width, &height);
    if (fullscreenNow || width != shape.width || height != shape.height) {
        SDL_SetWindowSize(target, shape.width, shape.height);
        SDL_SetWindowPosition(target, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

std::vector<glm::ivec2> WindowService::displayModes() const
{
    std::vector<glm::ivec2> modes;
    SDL_Window* const target = window();
    const int display = target ? SDL_GetWindowDisplayIndex(target) : 0;
    const int count = display >= 0 ? SDL_GetNumDisplayModes(display) : 0;
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) == 0)
            modes.emplace_back(mode.w, mode.h);
    }
    return modes;
}

glm::ivec2 WindowService::drawableSize() const
{
    glm::ivec2 size(0);
    engine->loopSource().drawableSize(window(), size.x, size.y);
    return size;
}

} // namespace Engine
