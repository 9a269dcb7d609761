#include "engine/gfx/font.h"

#include <gtest/gtest.h>

#include <string>

using Engine::GFX::Font;

namespace {

const char* const kDescription =
    "info face=\"Test\" size=16\r\n"
    "common lineHeight=18 base=14 scaleW=128 scaleH=64 pages=1\r\n"
    "page id=0 file=\"test_0.png\"\r\n"
    "chars count=3\n"
    "char id=65   x=1 y=2 width=9 height=11 xoffset=0 yoffset=3 xadvance=10 page=0\n"
    "char id=66 x=12 y=2 width=8 height=11 xoffset=1 yoffset=3 xadvance=9 page=0 chnl=15\n"
    "char id=65 x=99 y=99 width=1 height=1 xoffset=0 yoffset=0 xadvance=1 page=0\n"
    "kernings count=2\n"
    "kerning first=65 second=66 amount=-2\n"
    "kerning first=65 second=66 amount=5\n";

} // namespace

TEST(Font, ParsesMetricsGlyphsPagesAndKerning)
{
    Font font;
    ASSERT_TRUE(font.parse(kDescription, "test.fnt"));
    EXPECT_EQ(font.lineHeight, 18);
    EXPECT_EQ(font.base, 14);
    EXPECT_EQ(font.scaleWidth, 128);
    EXPECT_EQ(font.scaleHeight, 64);
    ASSERT_EQ(font.pageFiles.size(), 1u);
    EXPECT_EQ(font.pageFiles.at(0), "test_0.png");

    // A repeated glyph or pair keeps its first entry.
    ASSERT_EQ(font.glyphs.size(), 2u);
    const Engine::GFX::Glyph* a = font.findGlyph(65);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->x, 1);
    EXPECT_EQ(a->yoffset, 3);
    EXPECT_EQ(font.findGlyph(67), nullptr);
    EXPECT_EQ(font.kerning.size(), 1u);
    EXPECT_EQ(font.kerningAmount(65, 66), -2);
    EXPECT_EQ(font.kerningAmount(66, 65), 0);
}

TEST(Font, PageFileQuotes)
{
    for (const char* page : {"page id=0 file=plain.png", "page id=0 file=\"plain.png", "page id=0 file=plain.png\""}) {
        Font font;
        ASSERT_TRUE(font.parse(std::string("common lineHeight=10 scaleW=8 scaleH=8\n") + page, "q.fnt")) << page;
        EXPECT_EQ(font.pageFiles.at(0), "plain.png") << page;
    }
}

// Bad descriptions are refused or their bad lines skipped, with no exception escaping.
TEST(Font, BadValuesAreSkippedAndUnusableFontsRefused)
{
    const std::string header = "common lineHeight=10 scaleW=8 scaleH=8\npage id=0 file=p.png\n";
    Font font;
    ASSERT_TRUE(font.parse(header + "char id=65 x=abc width=1 height=1\n"
                                    "char id=66 x=1 width=1 height=1 xadvance=99999999999\n"
                                    "char id=67 x=1 width=1 height=1 page=3\n"
                                    "char id=68 x=1 width=-4 height=1\n"
                                    "char id=69 x=\t7px width=1 height=1\n"
                                    "kerning first=69 second=x amount=1\n",
                           "bad.fnt"));
    ASSERT_EQ(font.glyphs.size(), 1u);
    EXPECT_EQ(font.findGlyph(69)->x, 7);
    EXPECT_TRUE(font.kerning.empty());

    EXPECT_FALSE(font.parse("common lineHeight=10 scaleW=8 scaleH=8\npage id=1 file=p.png\n", "nopage0.fnt"));
    EXPECT_TRUE(font.pageFiles.empty());
    EXPECT_FALSE(font.parse("common lineHeight=10 scaleW=0 scaleH=8\npage id=0 file=p.png\n", "zero.fnt"));
    EXPECT_FALSE(font.parse("common lineHeight=x scaleW=8 scaleH=8\npage id=0 file=p.png\n", "noline.fnt"));
    EXPECT_FALSE(font.parse("", "empty.fnt"));
    EXPECT_FALSE(font.parse(std::string("\0\xff=\n=\n", 6), "binary.fnt"));
    EXPECT_FALSE(font.hasPageTexture(0));
}
