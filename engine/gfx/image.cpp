#include "engine/gfx/image.h"

#include "engine/core/assert.h"

#include <algorithm>
#include <cstring>

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

void copyRowsBottomUp(const uint8_t* source, size_t sourcePitch, uint8_t* target, size_t rowBytes, uint32_t height)
{
    for (uint32_t i = 0; i < height; ++i)
        std::memcpy(target + static_cast<size_t>(height - 1 - i) * rowBytes, source + i * sourcePitch, rowBytes);
}

Image halfSize(const Image& image)
{
    TX_ASSERT(image.width > 0 && image.height > 0, "an empty image has no smaller level");
    const size_t channels = Image::channelCount(image.format);
    const uint32_t width = std::max(1u, image.width / 2);
    const uint32_t height = std::max(1u, image.height / 2);
    std::vector<uint8_t> pixels(Image::byteSize(image.format, width, height));
    const auto at = [&](uint32_t x, uint32_t y) {
        return image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * channels;
    };
    uint8_t* out = pixels.data();
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t y0 = std::min(2 * y, image.height - 1);
        const uint32_t y1 = std::min(2 * y + 1, image.height - 1);
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t x0 = std::min(2 * x, image.width - 1);
            const uint32_t x1 = std::min(2 * x + 1, image.width - 1);
            const uint8_t* corners[4] = {at(x0, y0), at(x1, y0), at(x0, y1), at(x1, y1)};
            for (size_t c = 0; c < channels; ++c)
                *out++ = static_cast<uint8_t>((corners[0][c] + corners[1][c] + corners[2][c] + corners[3][c] + 2) / 4);
        }
    }
    return Image(image.format, std::move(pixels), width, height);
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
