#pragma once
// Lays out a string in a bitmap font: one textured quad per visible glyph, in font pixels with y
// up, the first line's glyph tops at y = 0 and later lines going down.
#include <glm/vec2.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Engine::GFX {

class Font;

// One glyph quad: corners (lower left, upper right) and the page texture coordinates there.
struct GlyphQuad {
    glm::vec2 lowerLeft{0.0f};
    glm::vec2 upperRight{0.0f};
    glm::vec2 texLowerLeft{0.0f};
    glm::vec2 texUpperRight{0.0f};
};

struct TextLayout {
    std::vector<GlyphQuad> quads;
    // Largest right edge of any quad, truncated to whole pixels.
    uint32_t width = 0;
    // Line height times the number of lines; 0 for an empty string.
    uint32_t height = 0;
    // Where the next character would go: pen x, and the bottom of the last line.
    glm::vec2 caretPosition{0.0f};
    // A sixth of the line height wide, one line high.
    glm::vec2 caretSize{0.0f};
};

// Characters the font lacks are drawn as "?" when it has one, else dropped; kerning applies
// between consecutive characters, also across a line feed.
TextLayout layoutText(const Font& font, std::u16string_view text);

// UTF-8 to UTF-16; malformed bytes (a file name can hold any bytes) become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);

} // namespace Engine::GFX
