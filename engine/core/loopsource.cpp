#include "engine/core/loopsource.h"

#include <SDL_image.h>

#include <algorithm>

namespace Engine {

bool SdlLoopSource::setWindowIcon(SDL_Window* window, const char* path)
{
    SDL_Surface* const icon = IMG_Load(path);
    if (!icon)
        return false;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
    return true;
}

void SdlLoopSource::setFullscreenMode(SDL_Window* window, int width, int height)
{
    const SDL_DisplayMode wanted{0, width, height, 0, nullptr};
    SDL_DisplayMode mode;
    if (SDL_GetClosestDisplayMode(std::max(SDL_GetWindowDisplayIndex(window), 0), &wanted, &mode) != nullptr)
        SDL_SetWindowDisplayMode(window, &mode);
}

void SdlLoopSource::setWindowSize(SDL_Window* window, int width, int height)
{
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

std::vector<SDL_Point> SdlLoopSource::displayModes(SDL_Window* window)
{
    std::vector<SDL_Point> modes;
    const int display = SDL_GetWindowDisplayIndex(window);
    const int count = display >= 0 ? SDL_GetNumDisplayModes(display) : 0;
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) == 0)
            modes.push_back({mode.w, mode.h});
    }
    return modes;
}

} // namespace Engine
