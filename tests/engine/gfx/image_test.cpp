#include "engine/gfx/image.h"

#include <gtest/gtest.h>

using Engine::GFX::Image;
using Engine::GFX::copyRowsBottomUp;
using Engine::GFX::halfSize;

TEST(Image, RowsAreCopiedBottomRowFirstDroppingThePadding)
{
    // 3 x 3 one-channel rows padded to a pitch of 4: rows 0 and 2 swap, row 1 stays.
    const std::vector<uint8_t> padded = {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0};
    std::vector<uint8_t> packed(9);
    copyRowsBottomUp(padded.data(), 4, packed.data(), 3, 3);
    EXPECT_EQ(packed, (std::vector<uint8_t>{3, 3, 3, 2, 2, 2, 1, 1, 1}));

    const std::vector<uint8_t> even = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<uint8_t> flipped(8);
    copyRowsBottomUp(even.data(), 2, flipped.data(), 2, 4);
    EXPECT_EQ(flipped, (std::vector<uint8_t>{7, 8, 5, 6, 3, 4, 1, 2}));
}

TEST(Image, HalfSizeAveragesEachTwoByTwoBlockRounded)
{
    // 4 x 2 RGBA: the left block averages to 2.5 (rounded up to 3) in red, the right block is flat.
    const Image image(Image::kRGBA,
                      {1, 0, 255, 255, 2, 0, 255, 255, 7, 7, 7, 0, 7, 7, 7, 0,
                       3, 0, 255, 255, 4, 1, 255, 255, 7, 7, 7, 0, 7, 7, 7, 0},
                      4, 2);
    const Image half = halfSize(image);
    ASSERT_EQ(half.width, 2u);
    ASSERT_EQ(half.height, 1u);
    EXPECT_EQ(half.pixels, (std::vector<uint8_t>{3, 0, 255, 255, 7, 7, 7, 0}));

    // Odd and single-pixel sides reuse their last pixel; a 1 x 1 picture stays 1 x 1.
    const Image row(Image::kRed, {10, 20, 90}, 3, 1);
    const Image rowHalf = halfSize(row);
    EXPECT_EQ(rowHalf.width, 1u);
    EXPECT_EQ(rowHalf.height, 1u);
    EXPECT_EQ(rowHalf.pixels, (std::vector<uint8_t>{15}));
    const Image column(Image::kRG, {0, 100, 50, 200}, 1, 2);
    EXPECT_EQ(halfSize(column).pixels, (std::vector<uint8_t>{25, 150}));
    EXPECT_EQ(halfSize(halfSize(column)).pixels, (std::vector<uint8_t>{25, 150}));
}

TEST(Image, SizesAreComputedWithoutWrapping)
{
    EXPECT_EQ(Image::byteSize(Image::kRGBA, 70000, 70000), size_t(70000) * 70000 * 4);
    EXPECT_EQ(Image::byteSize(Image::kRed, 3, 5), 15u);
}
