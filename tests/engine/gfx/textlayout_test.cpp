#include "engine/gfx/textlayout.h"

#include "engine/gfx/font.h"

#include <gtest/gtest.h>

using Engine::GFX::Font;
using Engine::GFX::layoutText;
using Engine::GFX::utf8ToUtf16;

namespace {

// Line height 20 on a 100 x 50 page; "A" and "?" are 8 x 10 at yoffset 2, space advances 5.
Font testFont(bool withQuestionMark = true)
{
    Font font;
    std::string description = "common lineHeight=20 base=16 scaleW=100 scaleH=50\n"
                              "page id=0 file=p.png\n"
                              "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 page=0\n"
                              "char id=65 x=10 y=5 width=8 height=10 xoffset=1 yoffset=2 xadvance=9 page=0\n"
                              "char id=66 x=20 y=5 width=8 height=10 xoffset=0 yoffset=2 xadvance=9 page=0\n"
                              "kerning first=65 second=66 amount=-2\n";
    if (withQuestionMark)
        description += "char id=63 x=30 y=5 width=6 height=10 xoffset=0 yoffset=2 xadvance=7 page=0\n";
    EXPECT_TRUE(font.parse(description, "layout.fnt"));
    return font;
}

} // namespace

TEST(TextLayout, EmptyTextAndSpaces)
{
    const Font font = testFont();
    const auto empty = layoutText(font, u"");
    EXPECT_TRUE(empty.quads.empty());
    EXPECT_EQ(empty.width, 0u);
    EXPECT_EQ(empty.height, 0u);
    EXPECT_EQ(empty.caretPosition, glm::vec2(0.0f, -20.0f));
    EXPECT_EQ(empty.caretSize, glm::vec2(3.0f, 20.0f));

    const auto spaces = layoutText(font, u"   ");
    EXPECT_TRUE(spaces.quads.empty());
    EXPECT_EQ(spaces.width, 0u);
    EXPECT_EQ(spaces.height, 20u);
    EXPECT_EQ(spaces.caretPosition.x, 15.0f);
}

TEST(TextLayout, GlyphQuadPositionAndTextureCoordinates)
{
    const auto layout = layoutText(testFont(), u"A");
    ASSERT_EQ(layout.quads.size(), 1u);
    const auto& quad = layout.quads[0];
    EXPECT_EQ(quad.lowerLeft, glm::vec2(1.0f, -12.0f));
    EXPECT_EQ(quad.upperRight, glm::vec2(9.0f, -2.0f));
    EXPECT_FLOAT_EQ(quad.texLowerLeft.x, 0.10f);
    EXPECT_FLOAT_EQ(quad.texUpperRight.x, 0.18f);
    EXPECT_FLOAT_EQ(quad.texLowerLeft.y, 0.70f);  // (50 - 5 - 10) / 50
    EXPECT_FLOAT_EQ(quad.texUpperRight.y, 0.90f); // (50 - 5) / 50
    EXPECT_EQ(layout.width, 9u);
    EXPECT_EQ(layout.caretPosition, glm::vec2(9.0f, -20.0f));
}

// The pair (A, B) pulls B and everything after it two pixels left, also across a line feed.
TEST(TextLayout, KerningShiftsTheRestOfTheLine)
{
    const Font font = testFont();
    const auto kerned = layoutText(font, u"ABA");
    const auto plain = layoutText(font, u"BAA");
    ASSERT_EQ(kerned.quads.size(), 3u);
    EXPECT_EQ(kerned.quads[1].lowerLeft.x, 9.0f - 2.0f);
    EXPECT_EQ(kerned.quads[2].lowerLeft.x, 18.0f - 2.0f + 1.0f);
    EXPECT_EQ(kerned.width, plain.width - 2);
    EXPECT_EQ(kerned.caretPosition.x, 25.0f);

    const auto twoLines = layoutText(font, u"A\nB");
    ASSERT_EQ(twoLines.quads.size(), 2u);
    EXPECT_EQ(twoLines.height, 40u);
    EXPECT_EQ(twoLines.quads[1].lowerLeft.y, twoLines.quads[0].lowerLeft.y - 20.0f);
    EXPECT_EQ(twoLines.quads[1].lowerLeft.x, -2.0f);
    EXPECT_EQ(twoLines.caretPosition, glm::vec2(7.0f, -40.0f));
}

TEST(TextLayout, MissingCharactersFallBackToQuestionMarkOrAreDropped)
{
    const auto fallback = layoutText(testFont(), u"A\u00e9");
    ASSERT_EQ(fallback.quads.size(), 2u);
    EXPECT_FLOAT_EQ(fallback.quads[1].texLowerLeft.x, 0.30f);
    EXPECT_EQ(fallback.caretPosition.x, 16.0f);

    // A character beyond 16 bits arrives as two surrogates, each drawn as "?".
    EXPECT_EQ(layoutText(testFont(), u"\U0001F600").quads.size(), 2u);

    const auto dropped = layoutText(testFont(false), u"A\u00e9B");
    ASSERT_EQ(dropped.quads.size(), 2u);
    // The dropped character leaves the previous one in place, so (A, B) still kerns.
    EXPECT_EQ(dropped.quads[1].lowerLeft.x, 7.0f);
}

TEST(TextLayout, Utf8ConversionReplacesMalformedBytes)
{
    EXPECT_EQ(utf8ToUtf16("a\xc3\xa9"), u"a\u00e9");
    EXPECT_EQ(utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
    EXPECT_EQ(utf8ToUtf16("a\xffz"), u"a\ufffdz");
    EXPECT_EQ(utf8ToUtf16("end\xc3"), u"end\ufffd");
    EXPECT_EQ(utf8ToUtf16("\xed\xa0\x80"), u"\ufffd");
}
