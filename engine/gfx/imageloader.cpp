#include "engine/gfx/imageloader.h"

#include "engine/core/log.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>

namespace Engine::GFX {

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

} // namespace

std::optional<Image> loadImage(const std::string& path)
{
    const SurfacePtr loaded(IMG_Load(path.c_str()));
    if (!loaded) {
        logLine("Cannot load image \"" + path + "\": " + IMG_GetError());
        return std::nullopt;
    }
    // ABGR8888 is R, G, B, A in memory order on little-endian machines.
    const SurfacePtr rgba(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ABGR8888, 0));
    if (!rgba) {
        logLine("Cannot convert image \"" + path + "\": " + SDL_GetError());
        return std::nullopt;
    }
    const auto width = static_cast<uint32_t>(rgba->w);
    const auto height = static_cast<uint32_t>(rgba->h);
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> pixels(Image::byteSize(Image::kRGBA, width, height));
    if (SDL_MUSTLOCK(rgba.get()))
        SDL_LockSurface(rgba.get());
    // The surface's rows may be padded: copy each by its pitch.
    const auto* source = static_cast<const uint8_t*>(rgba->pixels);
    for (uint32_t y = 0; y < height; ++y)
        std::memcpy(pixels.data() + y * rowBytes, source + static_cast<size_t>(y) * static_cast<size_t>(rgba->pitch),
                    rowBytes);
    if (SDL_MUSTLOCK(rgba.get()))
        SDL_UnlockSurface(rgba.get());
    flipRows(pixels.data(), rowBytes, height);
    return Image(Image::kRGBA, std::move(pixels), width, height);
}

} // namespace Engine::GFX
