#include "engine/gfx/vao.h"

#include "engine/core/assert.h"
#include "engine/gfx/meshdata.h"

#include <GL/glew.h>

namespace Engine::GFX {

const VertexLayout defaultVertexLayout = {{kLayoutFloat, 3}, {kLayoutFloat, 3}, {kLayoutFloat, 4}, {kLayoutFloat, 2}};
const VertexLayout mapVertexLayout = {
    {kLayoutFloat, 3}, {kLayoutFloat, 3}, {kLayoutFloat, 4}, {kLayoutFloat, 2}, {kLayoutFloat, 3}};

namespace {

MeshBuffer::Type typeFromCode(uint32_t code)
{
    switch (code) {
    case kLayoutFloat:
        return MeshBuffer::Type::tFLOAT;
    case kLayoutInt:
        return MeshBuffer::Type::tINT;
    case kLayoutUInt:
        return MeshBuffer::Type::tUINT;
    default:
        TX_ASSERT(false, "vertex layout type code must be 0 (float), 1 (int) or 2 (unsigned int)");
    }
}

GLenum glTypeOf(MeshBuffer::Type type)
{
    switch (type) {
    case MeshBuffer::Type::tFLOAT:
        return GL_FLOAT;
    case MeshBuffer::Type::tINT:
        return GL_INT;
    case MeshBuffer::Type::tUINT:
        return GL_UNSIGNED_INT;
    case MeshBuffer::Type::tSHORT:
        return GL_SHORT;
    case MeshBuffer::Type::tUSHORT:
        return GL_UNSIGNED_SHORT;
    case MeshBuffer::Type::tBYTE:
        return GL_BYTE;
    case MeshBuffer::Type::tUBYTE:
        return GL_UNSIGNED_BYTE;
    }
    TX_ASSERT(false, "unknown mesh buffer type");
}

} // namespace

size_t MeshBuffer::elementSize(Type type)
{
    switch (type) {
    case Type::tFLOAT:
    case Type::tINT:
    case Type::tUINT:
        return 4;
    case Type::tSHORT:
    case Type::tUSHORT:
        return 2;
    case Type::tBYTE:
    case Type::tUBYTE:
        return 1;
    }
    return 0;
}

const void* MeshBuffer::data() const
{
    return type == Type::tFLOAT ? static_cast<const void*>(floats.data()) : static_cast<const void*>(uints.data());
}

VAO::VAO(const VertexLayout& layout)
    : count(static_cast<uint32_t>(layout.size()))
{
    glGenVertexArrays(1, &vertexArray);
    glBuffers.assign(count, 0);
    componentCounts.resize(count);
    dataPresent.assign(count, 0);
    elementCounts.assign(count, 0);
    buffers.resize(count);
    for (uint32_t slot = 0; slot < count; ++slot) {
        MeshBuffer& buffer = buffers[slot];
        TX_ASSERT(buffer.typeSet == false, "a slot's type is set once");
        buffer.type = typeFromCode(layout[slot].type);
        buffer.typeSet = true;
        componentCounts[slot] = layout[slot].components;
    }
}

VAO::~VAO()
{
    glBindVertexArray(vertexArray);
    for (uint32_t slot = 0; slot < count; ++slot)
        glDisableVertexAttribArray(slot);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (uploaded)
        glDeleteBuffers(static_cast<GLsizei>(count), glBuffers.data());
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vertexArray);
}

void VAO::setFloatBuffer(uint32_t slot, std::vector<float> data)
{
    MeshBuffer& buffer = buffers.at(slot);
    TX_ASSERT(buffer.bufferSet == false, "a slot can be filled once");
    TX_ASSERT(buffer.typeSet == true, "the slot's type comes from the layout");
    TX_ASSERT(buffer.type == MeshBuffer::Type::tFLOAT, "setFloatBuffer fills float slots only");
    elementCounts[slot] = static_cast<uint32_t>(data.size());
    buffer.floats = std::move(data);
    buffer.bufferSet = true;
    dataPresent[slot] = 1;
}

void VAO::setUIntBuffer(uint32_t slot, std::vector<uint32_t> data)
{
    MeshBuffer& buffer = buffers.at(slot);
    TX_ASSERT(buffer.bufferSet == false, "a slot can be filled once");
    TX_ASSERT(buffer.typeSet == true, "the slot's type comes from the layout");
    TX_ASSERT(buffer.type == MeshBuffer::Type::tUINT, "setUIntBuffer fills unsigned-integer slots only");
    elementCounts[slot] = static_cast<uint32_t>(data.size());
    buffer.uints = std::move(data);
    buffer.bufferSet = true;
    dataPresent[slot] = 1;
}

void VAO::setVec3Buffer(uint32_t slot, const std::vector<glm::vec3>& values)
{
    std::vector<float> data;
    data.reserve(values.size() * 3);
    for (const glm::vec3& v : values)
        data.insert(data.end(), {v.x, v.y, v.z});
    setFloatBuffer(slot, std::move(data));
}

void VAO::setColourBuffer(const std::vector<glm::vec4>& colours)
{
    std::vector<float> data;
    data.reserve(colours.size() * 4);
    for (const glm::vec4& c : colours)
        data.insert(data.end(), {c.r, c.g, c.b, c.a});
    setFloatBuffer(2, std::move(data));
}

void VAO::setTexCoordBuffer(const std::vector<glm::vec2>& texCoords)
{
    std::vector<float> data;
    data.reserve(texCoords.size() * 2);
    for (const glm::vec2& t : texCoords)
        data.insert(data.end(), {t.x, t.y});
    setFloatBuffer(3, std::move(data));
}

void VAO::setMeshData(const Mesh::MeshData& mesh)
{
    setVec3Buffer(0, mesh.positions);
    setVec3Buffer(1, mesh.normals);
    setColourBuffer(mesh.colours);
    setTexCoordBuffer(mesh.texCoords);
}

uint32_t VAO::vertexCount() const
{
    if (count == 0 || componentCounts[0] == 0)
        return 0;
    return elementCounts[0] / componentCounts[0];
}

void VAO::upload()
{
    TX_ASSERT(!uploaded, "a vertex array is uploaded once");
    const uint32_t vertices = vertexCount();
    glBindVertexArray(vertexArray);
    glGenBuffers(static_cast<GLsizei>(count), glBuffers.data());
    for (uint32_t slot = 0; slot < count; ++slot) {
        const MeshBuffer& buffer = buffers[slot];
        TX_ASSERT(buffer.typeSet == true, "every slot has a type");
        TX_ASSERT(buffer.bufferSet == true, "every slot is filled before upload");
        // A short slot would make the GPU fetch past the end of its buffer.
        TX_ASSERT(elementCounts[slot] == vertices * componentCounts[slot], "every slot holds the same vertex count");
        glBindBuffer(GL_ARRAY_BUFFER, glBuffers[slot]);
        glEnableVertexAttribArray(slot);
        const auto components = static_cast<GLint>(componentCounts[slot]);
        if (buffer.type == MeshBuffer::Type::tFLOAT)
            glVertexAttribPointer(slot, components, GL_FLOAT, GL_FALSE, 0, nullptr);
        else
            glVertexAttribIPointer(slot, components, glTypeOf(buffer.type), 0, nullptr);
        const auto bytes = static_cast<GLsizeiptr>(MeshBuffer::elementSize(buffer.type) * elementCounts[slot]);
        glBufferData(GL_ARRAY_BUFFER, bytes, buffer.data(), GL_STATIC_DRAW);
    }
    uploaded = true;
    uploadExtra();
    glBindVertexArray(0);
}

void VAO::bindAndEnable() const
{
    glBindVertexArray(vertexArray);
    for (uint32_t slot = 0; slot < count; ++slot)
        glEnableVertexAttribArray(slot);
}

void VAO::disableAndUnbind() const
{
    for (uint32_t slot = 0; slot < count; ++slot)
        glDisableVertexAttribArray(slot);
    glBindVertexArray(0);
}

void VAO::draw() const
{
    const uint32_t vertices = vertexCount();
    if (!uploaded || vertices == 0)
        return;
    bindAndEnable();
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices));
    disableAndUnbind();
}

VAOi::VAOi(const VertexLayout& layout)
    : VAO(layout)
{
}

VAOi::~VAOi()
{
    if (indexBuffer != 0)
        glDeleteBuffers(1, &indexBuffer);
}

void VAOi::setIndices(std::vector<uint32_t> newIndices)
{
    TX_ASSERT(!uploaded, "indices are set before upload");
    indices = std::move(newIndices);
}

void VAOi::uploadExtra()
{
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
}

void VAOi::draw() const
{
    if (!uploaded || indices.empty())
        return;
    bindAndEnable();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
    disableAndUnbind();
}

} // namespace Engine::GFX
