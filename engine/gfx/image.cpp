#include "engine/gfx/image.h"

#include "engine/core/assert.h"

#include <algorithm>

namespace Engine::GFX {

size_t Image::channelCount(uint32_t format)
{
    TX_ASSERT(format <= kRGBA, "image format code is 0 to 3");
    return static_cast<size_t>(format) + 1;
}

size_t Image::byteSize(uint32_t format, uint32_t width, uint32_t height)
{
    return channelCount(format) * static_cast<size_t>(width) * static_cast<size_t>(height);
}

Image::Image(uint32_t format, std::vector<uint8_t> pixels, uint32_t width, uint32_t height)
    : format(format)
    , pixels(std::move(pixels))
    , width(width)
    , height(height)
{
    TX_ASSERT(this->pixels.size() == byteSize(format, width, height), "pixels hold exactly one image");
}

void flipRows(uint8_t* pixels, size_t rowBytes, uint32_t height)
{
    for (uint32_t i = 0; i < height / 2; ++i)
        std::swap_ranges(pixels + i * rowBytes, pixels + (i + 1) * rowBytes,
                         pixels + static_cast<size_t>(height - 1 - i) * rowBytes);
}

Image makeCheckerImage(uint32_t size, uint32_t cells, const uint8_t colourA[4], const uint8_t colourB[4])
{
    std::vector<uint8_t> pixels(Image::byteSize(Image::kRGBA, size, size));
    const uint32_t cell = std::max(1u, size / std::max(1u, cells));
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            const uint8_t* colour = ((x / cell + y / cell) % 2 == 0) ? colourA : colourB;
            std::copy(colour, colour + 4, pixels.begin() + (static_cast<size_t>(y) * size + x) * 4);
        }
    return Image(Image::kRGBA, std::move(pixels), size, size);
}

} // namespace Engine::GFX
