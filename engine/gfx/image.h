#pragma once
// A decoded picture in memory: tightly packed rows, bottom row first, one byte per channel.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Engine::GFX {

struct Image {
    static constexpr uint32_t kRed = 0;
    static constexpr uint32_t kRG = 1;
    static constexpr uint32_t kRGB = 2;
    static constexpr uint32_t kRGBA = 3;

    Image(uint32_t format, std::vector<uint8_t> pixels, uint32_t width, uint32_t height);

    uint32_t format;
    std::vector<uint8_t> pixels;
    uint32_t width;
    uint32_t height;

    static size_t channelCount(uint32_t format);
    // Bytes of a tightly packed image; computed in size_t so large images cannot wrap.
    static size_t byteSize(uint32_t format, uint32_t width, uint32_t height);
};

// Copies `height` rows of `rowBytes` bytes from a picture stored top row first (rows `sourcePitch`
// bytes apart) into tightly packed rows bottom row first: row i of the source becomes row
// height - 1 - i of `target`.
void copyRowsBottomUp(const uint8_t* source, size_t sourcePitch, uint8_t* target, size_t rowBytes, uint32_t height);

// The next mipmap level of `image`: half the width and height (at least 1), each pixel the
// rounded mean of the 2 x 2 pixels it covers. Along an odd or single-pixel side the last pixel
// is reused.
Image halfSize(const Image& image);

// RGBA checkerboard of `cells` x `cells` squares, used where an image file cannot be read.
Image makeCheckerImage(uint32_t size, uint32_t cells, const uint8_t colourA[4], const uint8_t colourB[4]);

} // namespace Engine::GFX
