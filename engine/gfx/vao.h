#pragma once
// Vertex array objects: one GL buffer per vertex attribute slot, attribute slot i feeding
// attribute location i. VAO draws plain triangle lists, VAOi adds an index buffer.
#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace Engine::GFX {

namespace Mesh {
struct MeshData;
}

// Type codes of a vertex layout entry.
constexpr uint32_t kLayoutFloat = 0;
constexpr uint32_t kLayoutInt = 1;
constexpr uint32_t kLayoutUInt = 2;

// One buffer slot of a vertex layout: element type code and components per vertex.
struct VertexAttribute {
    uint32_t type;
    uint32_t components;
};
using VertexLayout = std::vector<VertexAttribute>;

// position (3), normal (3), colour RGBA (4), texture coordinate (2).
extern const VertexLayout defaultVertexLayout;
// The default layout plus slot 4: the face-ID colour of a map block face (3).
extern const VertexLayout mapVertexLayout;

// Descriptor and CPU copy of one slot's data.
struct MeshBuffer {
    enum class Type : uint32_t { tFLOAT = 0, tINT = 1, tUINT = 2, tSHORT = 3, tUSHORT = 4, tBYTE = 5, tUBYTE = 6 };

    bool typeSet = false;
    bool bufferSet = false;
    Type type = Type::tFLOAT;
    std::vector<float> floats;   // data of a tFLOAT slot
    std::vector<uint32_t> uints; // data of a tUINT slot

    static size_t elementSize(Type type);
    const void* data() const;
};

class Drawable {
public:
    virtual ~Drawable() = default;
    virtual void draw() const = 0;
};

class VAO : public Drawable {
public:
    explicit VAO(const VertexLayout& layout);
    ~VAO() override;
    VAO(const VAO&) = delete;
    VAO& operator=(const VAO&) = delete;

    // Takes the scalars of one float slot; a slot can be filled once.
    void setFloatBuffer(uint32_t slot, std::vector<float> data);
    // Takes the scalars of one unsigned-integer slot; a slot can be filled once.
    void setUIntBuffer(uint32_t slot, std::vector<uint32_t> data);

    void setVec3Buffer(uint32_t slot, const std::vector<glm::vec3>& values);
    void setColourBuffer(const std::vector<glm::vec4>& colours);    // slot 2
    void setTexCoordBuffer(const std::vector<glm::vec2>& texCoords); // slot 3
    // Fills slots 0 to 3 from the four lists of `mesh`.
    void setMeshData(const Mesh::MeshData& mesh);

    // Sends every slot (and, through uploadExtra, any extra data) to the GPU once.
    void upload();
    void draw() const override;

    uint32_t bufferCount() const { return count; }
    // Vertices held by slot 0 (its scalars divided by its components).
    uint32_t vertexCount() const;
    uint32_t elementCount(uint32_t slot) const { return elementCounts.at(slot); }
    bool isUploaded() const { return uploaded; }
    const MeshBuffer& meshBuffer(uint32_t slot) const { return buffers.at(slot); }

protected:
    virtual void uploadExtra() {}
    void bindAndEnable() const;
    void disableAndUnbind() const;

    uint32_t count = 0;
    uint32_t vertexArray = 0;
    std::vector<uint32_t> glBuffers;
    std::vector<uint32_t> componentCounts;
    std::vector<uint8_t> dataPresent;
    std::vector<uint32_t> elementCounts;
    std::vector<MeshBuffer> buffers;
    bool uploaded = false;
};

class VAOi : public VAO {
public:
    explicit VAOi(const VertexLayout& layout);
    ~VAOi() override;

    void setIndices(std::vector<uint32_t> indices);
    uint32_t indexCount() const { return static_cast<uint32_t>(indices.size()); }
    void draw() const override;

protected:
    void uploadExtra() override;

    uint32_t indexBuffer = 0;
    std::vector<uint32_t> indices;
};

} // namespace Engine::GFX
