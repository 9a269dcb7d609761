#include "engine/gfx/imageloader.h"

#include "engine/core/log.h"

#include <SDL.h>
#include <SDL_image.h>

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
    std::string error;
    std::optional<Image> image = decodeImage(path, error);
    if (!image)
        logLine(error);
    return image;
}

void startImageDecoding()
{
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
}

std::optional<Image> decodeImage(const std::string& path, std::string& error)
{
    SurfacePtr surface(IMG_Load(path.c_str()));
    if (!surface) {
        error = "Cannot load image \"" + path + "\": " + IMG_GetError();
        return std::nullopt;
    }
    // Some formats (TGA) decode a header of zero width or height into an empty surface.
    if (surface->w <= 0 || surface->h <= 0) {
        error = "Cannot load image \"" + path + "\": it has no pixels";
        return std::nullopt;
    }
    // RGBA32 is R, G, B, A in memory order. A PNG with an alpha channel decodes to it already;
    // converting it anyway would copy a large picture for nothing.
    if (surface->format->format != SDL_PIXELFORMAT_RGBA32) {
        surface.reset(SDL_ConvertSurfaceFormat(surface.get(), SDL_PIXELFORMAT_RGBA32, 0));
        if (!surface) {
            error = "Cannot convert image \"" + path + "\": " + SDL_GetError();
            return std::nullopt;
        }
    }
    const auto width = static_cast<uint32_t>(surface->w);
    const auto height = static_cast<uint32_t>(surface->h);
    std::vector<uint8_t> pixels(Image::byteSize(Image::kRGBA, width, height));
    if (SDL_MUSTLOCK(surface.get()))
        SDL_LockSurface(surface.get());
    // The surface's rows may be padded: copy each by its pitch, bottom row first.
    copyRowsBottomUp(static_cast<const uint8_t*>(surface->pixels), static_cast<size_t>(surface->pitch), pixels.data(),
                     static_cast<size_t>(width) * 4, height);
    if (SDL_MUSTLOCK(surface.get()))
        SDL_UnlockSurface(surface.get());
    return Image(Image::kRGBA, std::move(pixels), width, height);
}

} // namespace Engine::GFX
