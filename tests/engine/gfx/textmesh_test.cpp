#include "engine/gfx/textmesh.h"

#include "engine/gfx/font.h"
#include "engine/gfx/rendercontext.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <GL/glew.h>

using namespace Engine::GFX;
using TestSupport::GLTest;

namespace {

const char* const kFontNames[] = {"engine_font", "editorTopBar", "editorFontSmall", "fileBrowser"};

// Sum of advances of `text` (ASCII) plus the kerning of each neighbouring pair.
int32_t expectedAdvance(const Font& font, const std::string& text)
{
    int32_t pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0)
            pen += font.kerningAmount(uint8_t(text[i - 1]), uint8_t(text[i]));
        pen += font.findGlyph(uint8_t(text[i]))->xadvance;
    }
    return pen;
}

} // namespace

TEST_F(GLTest, FontShippedFontsLoadWithGlyphsKerningAndPage)
{
    for (const char* name : kFontNames) {
        Font font;
        ASSERT_TRUE(font.loadFromFile(std::string("./data/fonts/") + name + ".fnt")) << name;
        EXPECT_EQ(font.glyphs.size(), 201u) << name;
        EXPECT_GT(font.kerning.size(), 100u) << name;
        EXPECT_NE(font.findGlyph('?'), nullptr) << name;
        EXPECT_NE(font.findGlyph(0xE9), nullptr) << name;    // Latin-1
        EXPECT_NE(font.findGlyph(0xFFFD), nullptr) << name;  // shown for malformed UTF-8
        ASSERT_TRUE(font.hasPageTexture(0)) << name;
        EXPECT_EQ(int32_t(font.getPageTexture(0)->width), font.scaleWidth) << name;
        EXPECT_EQ(int32_t(font.getPageTexture(0)->height), font.scaleHeight) << name;
    }
}

TEST_F(GLTest, TextMeshWidthKerningFallbackAndCaret)
{
    Font font;
    ASSERT_TRUE(font.loadFromFile("./data/fonts/engine_font.fnt"));
    ASSERT_NE(font.kerningAmount('A', 'V'), 0) << "the font kerns A and V";

    TextMesh text(font, "AVA");
    const Glyph& lastA = *font.findGlyph('A');
    const int32_t penBeforeLast = expectedAdvance(font, "AV") + font.kerningAmount('V', 'A');
    EXPECT_EQ(text.width(), uint32_t(penBeforeLast + lastA.xoffset + lastA.width));
    EXPECT_EQ(text.caretPosition(), glm::vec2(float(expectedAdvance(font, "AVA")), float(-font.lineHeight)));
    EXPECT_EQ(text.caretSize(), glm::vec2(float(font.lineHeight / 6), float(font.lineHeight)));
    EXPECT_EQ(text.height(), uint32_t(font.lineHeight));
    ASSERT_TRUE(text.hasMesh());
    EXPECT_EQ(text.mesh()->vertexCount(), 18u);

    // A character outside the font shows as "?"; malformed UTF-8 shows as U+FFFD.
    text.setText("\xe4\xb8\x80");
    EXPECT_EQ(text.caretPosition().x, float(font.findGlyph('?')->xadvance));
    text.setText("a\xff");
    EXPECT_EQ(text.text(), u"a\ufffd");
    EXPECT_EQ(text.caretPosition().x, float(font.findGlyph('a')->xadvance + font.kerningAmount('a', 0xFFFD) +
                                            font.findGlyph(0xFFFD)->xadvance));

    text.setText("");
    EXPECT_FALSE(text.hasMesh());
    EXPECT_EQ(text.width(), 0u);
    EXPECT_EQ(text.height(), 0u);

    const TextMesh copy(TextMesh(font, "two\nlines"));
    EXPECT_EQ(copy.height(), uint32_t(2 * font.lineHeight));
    EXPECT_TRUE(copy.hasMesh());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Unusable font files are refused by name; text in an empty font lays out to nothing and drawing
// it does nothing.
TEST_F(GLTest, FontBadFilesAreRefusedAndDrawNothing)
{
    const TestSupport::TempDir dir;
    const std::string header = "common lineHeight=10 base=8 scaleW=16 scaleH=16\n";
    const auto noPage0 = dir.write("nopage.fnt", header + "page id=1 file=\"p.png\"\nchar id=65 width=2 height=2\n");
    const auto zeroSize = dir.write("zero.fnt", "common lineHeight=10 scaleW=0 scaleH=0\npage id=0 file=p.png\n");
    Font font;
    EXPECT_FALSE(font.loadFromFile(noPage0.string()));
    EXPECT_FALSE(font.loadFromFile(zeroSize.string()));
    EXPECT_FALSE(font.loadFromFile((dir.path() / "missing.fnt").string()));
    EXPECT_TRUE(font.glyphs.empty());

    TextMesh text(font, "Hello");
    EXPECT_FALSE(text.hasMesh());
    RenderContext context;
    drawTextMesh(context, text, glm::vec3(0.0f), glm::vec2(1.0f));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
