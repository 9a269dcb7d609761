#include "engine/gfx/textlayout.h"

#include "engine/gfx/font.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <iterator>
#include <limits>

namespace Engine::GFX {
namespace {

constexpr char16_t kLineFeed = 10;
constexpr char16_t kSpace = 32;
constexpr char16_t kQuestionMark = 63;

// The glyph drawn for `c`: its own, else "?", else none (c is then dropped).
const Glyph* glyphFor(const Font& font, char16_t& c)
{
    if (const Glyph* glyph = font.findGlyph(c))
        return glyph;
    if (const Glyph* fallback = font.findGlyph(kQuestionMark)) {
        c = kQuestionMark;
        return fallback;
    }
    return nullptr;
}

GlyphQuad quadFor(const Font& font, const Glyph& glyph, double penX, double penY, int32_t kern)
{
    // Sums in double: glyph values can be any 32-bit number in a bad file.
    const double x0 = penX + double(glyph.xoffset) + kern;
    const double y0 = penY - double(glyph.yoffset) - glyph.height;
    const double pageWidth = font.scaleWidth;
    const double pageHeight = font.scaleHeight;
    GlyphQuad quad;
    quad.lowerLeft = {float(x0), float(y0)};
    quad.upperRight = {float(x0 + glyph.width), float(y0 + glyph.height)};
    // Page images are stored bottom row first, so v counts from the image's last row.
    quad.texLowerLeft = {float(glyph.x / pageWidth), float((pageHeight - glyph.y - glyph.height) / pageHeight)};
    quad.texUpperRight = {float((double(glyph.x) + glyph.width) / pageWidth),
                          float((pageHeight - glyph.y) / pageHeight)};
    return quad;
}

uint32_t clampToUint32(double value)
{
    if (!(value > 0.0))
        return 0;
    if (value >= double(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(value);
}

} // namespace

TextLayout layoutText(const Font& font, std::u16string_view text)
{
    TextLayout layout;
    double penX = 0.0;
    double penY = 0.0;
    uint64_t lines = 1;
    char16_t previous = kSpace;
    bool havePrevious = false;
    double widest = 0.0;
    for (char16_t c : text) {
        if (c == kLineFeed) {
            penX = 0.0;
            penY -= font.lineHeight;
            ++lines;
        } else if (const Glyph* glyph = glyphFor(font, c)) {
            const int32_t kern = havePrevious ? font.kerningAmount(previous, c) : 0;
            if (c != kSpace) {
                layout.quads.push_back(quadFor(font, *glyph, penX, penY, kern));
                widest = std::max(widest, double(layout.quads.back().upperRight.x));
            }
            penX += double(glyph->xadvance) + kern;
            previous = c;
            havePrevious = true;
        }
        layout.height = clampToUint32(double(font.lineHeight) * double(lines));
    }
    layout.width = clampToUint32(widest);
    layout.caretPosition = {float(penX), float(penY - font.lineHeight)};
    layout.caretSize = {float(font.lineHeight / 6), float(font.lineHeight)};
    return layout;
}

std::u16string utf8ToUtf16(std::string_view utf8)
{
    std::string valid;
    valid.reserve(utf8.size());
    utf8::replace_invalid(utf8.begin(), utf8.end(), std::back_inserter(valid));
    std::u16string result;
    result.reserve(valid.size());
    utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(result));
    return result;
}

} // namespace Engine::GFX
