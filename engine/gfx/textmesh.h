#pragma once
// A string laid out once in a bitmap font as a textured quad mesh, in font pixels with y up (the
// first line's glyph tops at y = 0). It is rebuilt only when its text changes and drawn with one
// texture bind and one draw call.
#include "engine/gfx/model3d.h"
#include "engine/gfx/textlayout.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <memory>
#include <string>
#include <string_view>

namespace Engine::GFX {

class Font;
class RenderContext;

class TextMesh {
public:
    // `font` must outlive the text mesh.
    explicit TextMesh(const Font& font, std::string_view utf8 = {});
    // A copy lays out the same text again in the same font (it owns its own mesh).
    TextMesh(const TextMesh& other);
    TextMesh& operator=(const TextMesh& other);
    TextMesh(TextMesh&&) noexcept = default;
    TextMesh& operator=(TextMesh&&) noexcept = default;

    // Stores the text (malformed UTF-8 shows as U+FFFD) and lays it out anew.
    void setText(std::string_view utf8);

    const std::u16string& text() const { return utf16; }
    const Font& font() const { return *fontRef; }
    // Largest right edge of any glyph, in whole pixels.
    uint32_t width() const { return layout.width; }
    // Line height times the number of lines.
    uint32_t height() const { return layout.height; }
    // False when the text produced no visible glyph (nothing to draw).
    bool hasMesh() const { return meshReady; }
    // Where typing would continue: after the last character, at the bottom of the last line.
    glm::vec2 caretPosition() const { return layout.caretPosition; }
    // A sixth of the line height wide, one line high.
    glm::vec2 caretSize() const { return layout.caretSize; }
    const Mesh::Model3D* mesh() const { return model.get(); }

    // Draws the mesh (when there is one) with whatever program and texture are bound.
    void draw() const;

private:
    void rebuild();

    const Font* fontRef;
    std::u16string utf16;
    TextLayout layout;
    std::unique_ptr<Mesh::Model3D> model;
    bool meshReady = false;
};

// Draws `textMesh` with its font's page 0 at `position`, scaled by `scale`, through the program
// the caller has bound (normally "shaderFontDefault"). A font without a page texture draws nothing.
void drawTextMesh(RenderContext& renderContext, const TextMesh& textMesh, glm::vec3 position, glm::vec2 scale);

} // namespace Engine::GFX
