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

// Swaps row i with row height - 1 - i for every i below height / 2.
void flipRows(uint8_t* pixels, size_t rowBytes, uint32_t height);

// RGBA checkerboard of `cells` x `cells` squares, used where an image file cannot be read.
Image makeCheckerImage(uint32_t size, uint32_t cells, const uint8_t colourA[4], const uint8_t colourB[4]);

} // namespace Engine::GFX
