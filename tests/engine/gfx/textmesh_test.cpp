#include "engine/gfx/textmesh.h"

#include "engine/gfx/font.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/textlayout.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <GL/glew.h>

using namespace Engine::GFX;
using TestSupport::GLTest;

namespace {
const char* const kFontNames[] = {"engine_font", "editorTopBar", "editorFontSmall", "fileBrowser"};
} // namespace

TEST_F(GLTest, FontShippedFontsLoadWithGlyphsKerningAndPage)
{
    for (const char* name : kFontNames) {
        Font font;
        ASSERT_TRUE(font.loadFromFile(std::string("./data/fonts/") + name + ".fnt")) << name;
        EXPECT_GT(font.kerning.size(), 100u) << name;
        EXPECT_NE(font.findGlyph('?'), nullptr) << name;
        EXPECT_NE(font.findGlyph(0xE9), nullptr) << name;    // Latin-1
        EXPECT_NE(font.findGlyph(0xFFFD), nullptr) << name;  // shown for malformed UTF-8
        ASSERT_TRUE(font.hasPageTexture(0)) << name;
        EXPECT_EQ(int32_t(font.getPageTexture(0)->width), font.scaleWidth) << name;
        EXPECT_EQ(int32_t(font.getPageTexture(0)->height), font.scaleHeight) << name;
    }
}

// The layout itself is tested in textlayout_test.cpp; here, that the mesh follows the text.
TEST_F(GLTest, TextMeshFollowsItsTextAndCopiesLayOutAgain)
{
    Font font;
    ASSERT_TRUE(font.loadFromFile("./data/fonts/engine_font.fnt"));
    TextMesh text(font, "AVA");
    EXPECT_EQ(text.width(), layoutText(font, u"AVA").width);
    ASSERT_TRUE(text.hasMesh());
    EXPECT_EQ(text.mesh()->vertexCount(), 18u);

    text.setText("a\xff");
    EXPECT_EQ(text.text(), u"a\ufffd");
    EXPECT_EQ(text.mesh()->vertexCount(), 12u);
    text.setText("");
    EXPECT_FALSE(text.hasMesh());
    EXPECT_EQ(text.width(), 0u);

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
