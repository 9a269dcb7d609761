#include "engine/gfx/image.h"

#include <gtest/gtest.h>

using Engine::GFX::Image;
using Engine::GFX::flipRows;

TEST(Image, FlipSwapsRowsAroundTheMiddle)
{
    // 3 x 3 one-channel image: rows 0 and 2 swap, row 1 stays.
    std::vector<uint8_t> pixels = {1, 1, 1, 2, 2, 2, 3, 3, 3};
    flipRows(pixels.data(), 3, 3);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{3, 3, 3, 2, 2, 2, 1, 1, 1}));

    std::vector<uint8_t> even = {1, 2, 3, 4, 5, 6, 7, 8};
    flipRows(even.data(), 2, 4);
    EXPECT_EQ(even, (std::vector<uint8_t>{7, 8, 5, 6, 3, 4, 1, 2}));

    std::vector<uint8_t> single = {9, 8, 7, 6};
    flipRows(single.data(), 4, 1);
    EXPECT_EQ(single, (std::vector<uint8_t>{9, 8, 7, 6}));
}

TEST(Image, SizesAreComputedWithoutWrapping)
{
    EXPECT_EQ(Image::byteSize(Image::kRGBA, 70000, 70000), size_t(70000) * 70000 * 4);
    EXPECT_EQ(Image::byteSize(Image::kRed, 3, 5), 15u);
}

TEST(Image, CheckerAlternatesItsTwoColours)
{
    const uint8_t a[4] = {255, 0, 255, 255};
    const uint8_t b[4] = {0, 0, 0, 255};
    const Image image = Engine::GFX::makeCheckerImage(64, 8, a, b);
    ASSERT_EQ(image.pixels.size(), 64u * 64u * 4u);
    const auto pixelAt = [&](int x, int y) { return image.pixels[(y * 64 + x) * 4 + 1] == 0 && image.pixels[(y * 64 + x) * 4] == 255; };
    EXPECT_TRUE(pixelAt(0, 0));
    EXPECT_FALSE(pixelAt(8, 0));
    EXPECT_FALSE(pixelAt(0, 8));
    EXPECT_TRUE(pixelAt(8, 8));
    EXPECT_TRUE(pixelAt(63, 63));
}
