// The bitmap-font description reader on arbitrary text, followed by laying out text in whatever
// font it accepts: an accepted font has the metrics text layout relies on, and laying out any
// text in it gives finite quads.
#include "engine/gfx/font.h"
#include "engine/gfx/textlayout.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool finite(const glm::vec2& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

// Every glyph the font has, once, with a line feed and a character it may lack.
std::u16string sampleText(const Engine::GFX::Font& font)
{
    std::u16string text = u"Ab ?\n";
    for (const auto& entry : font.glyphs)
        text += static_cast<char16_t>(entry.first);
    text += u"\n\xFFFD";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view description(reinterpret_cast<const char*>(data), size);
    Engine::GFX::Font font;
    if (!font.parse(description, "fuzz.fnt")) {
        FUZZ_CHECK(font.glyphs.empty() && font.pageFiles.empty() && font.kerning.empty());
        return 0;
    }
    FUZZ_CHECK(font.pageFiles.count(0) == 1);
    FUZZ_CHECK(font.lineHeight > 0 && font.scaleWidth > 0 && font.scaleHeight > 0);
    for (const auto& [id, glyph] : font.glyphs) {
        FUZZ_CHECK(glyph.width >= 0 && glyph.height >= 0 && glyph.page == 0);
        FUZZ_CHECK(font.findGlyph(id) == &glyph);
    }

    const Engine::GFX::TextLayout layout = Engine::GFX::layoutText(font, sampleText(font));
    for (const Engine::GFX::GlyphQuad& quad : layout.quads) {
        FUZZ_CHECK(finite(quad.lowerLeft) && finite(quad.upperRight));
        FUZZ_CHECK(finite(quad.texLowerLeft) && finite(quad.texUpperRight));
    }
    FUZZ_CHECK(finite(layout.caretPosition) && finite(layout.caretSize));
    return 0;
}
