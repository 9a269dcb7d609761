#include "engine/gfx/textmesh.h"

#include "engine/gfx/font.h"
#include "engine/gfx/meshdata.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/texture.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

namespace Engine::GFX {

TextMesh::TextMesh(const Font& font, std::string_view utf8)
    : fontRef(&font)
{
    setText(utf8);
}

TextMesh::TextMesh(const TextMesh& other)
    : fontRef(other.fontRef), utf16(other.utf16)
{
    rebuild();
}

TextMesh& TextMesh::operator=(const TextMesh& other)
{
    if (this != &other) {
        fontRef = other.fontRef;
        utf16 = other.utf16;
        rebuild();
    }
    return *this;
}

void TextMesh::setText(std::string_view utf8)
{
    utf16 = utf8ToUtf16(utf8);
    rebuild();
}

void TextMesh::rebuild()
{
    layout = layoutText(*fontRef, utf16);
    model = std::make_unique<Mesh::Model3D>();
    meshReady = !layout.quads.empty();
    if (!meshReady)
        return;
    Mesh::MeshData data;
    const glm::vec4 white(1.0f);
    for (const GlyphQuad& quad : layout.quads)
        Mesh::addQuad2D(data, quad.lowerLeft, quad.upperRight, white, quad.texLowerLeft, quad.texUpperRight);
    model->setMeshData(data);
    model->upload();
}

void TextMesh::draw() const
{
    if (meshReady)
        model->draw();
}

void drawTextMesh(RenderContext& renderContext, const TextMesh& textMesh, glm::vec3 position, glm::vec2 scale)
{
    const glm::mat4 model =
        glm::scale(glm::translate(glm::mat4(1.0f), position), glm::vec3(scale.x, scale.y, 1.0f));
    renderContext.setModelMatrix(model);
    if (!textMesh.font().hasPageTexture(0))
        return;
    glActiveTexture(GL_TEXTURE0);
    textMesh.font().getPageTexture(0)->bind();
    textMesh.draw();
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace Engine::GFX
