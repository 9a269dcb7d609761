#include "engine/gfx/meshfile.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/bytebuffer/bytebufferwriter.h"
#include "engine/core/log.h"
#include "engine/gfx/assetfile.h"

#include <cstring>

namespace Engine::GFX::Mesh {

namespace {

constexpr uint64_t kMagicLength = 6;
constexpr uint64_t kVertexBytes = 12 + 12 + 8;
constexpr uint64_t kTriangleBytes = 12;
constexpr uint64_t kWeightBytes = 4 * 2 + 4 * 4;
constexpr uint64_t kSubMeshRecordBytes = 12;
constexpr uint64_t kMatrixBytes = 16 * 4;
// Larger than any mesh the game uses by far; a file beyond it is refused before it is read.
constexpr uint64_t kMaxFileBytes = 64ull << 20;

class Parser {
public:
    explicit Parser(const ByteBuffer& bytes)
        : bytes(bytes)
        , in(kLittleEndian)
    {
    }

    std::optional<MeshFileData> parse(std::string& error)
    {
        MeshFileData mesh;
        if (!readHeader(mesh) || !readVertices(mesh) || !readTriangles(mesh) || !readSubMeshes(mesh) ||
            (mesh.skinned && (!readWeights(mesh) || !readBones(mesh)))) {
            error = reason;
            return std::nullopt;
        }
        return mesh;
    }

private:
    bool fail(std::string why)
    {
        reason = std::move(why);
        return false;
    }

    // True when `count` records of `size` bytes still fit in the data.
    bool fits(uint64_t count, uint64_t size) const { return count <= in.remaining(bytes) / size; }

    glm::vec3 readVec3() { return {in.readF32(bytes), in.readF32(bytes), in.readF32(bytes)}; }

    bool readHeader(MeshFileData& mesh)
    {
        char magic[kMagicLength] = {};
        if (!in.readBytes(bytes, magic, kMagicLength) || !in.skip(bytes, 1))
            return fail("file is shorter than its header");
        mesh.skinned = std::memcmp(magic, kSkinnedMagic, kMagicLength) == 0 ||
                       std::memcmp(magic, kSkinnedMagicAlt, kMagicLength) == 0;
        return true;
    }

    bool readVertices(MeshFileData& mesh)
    {
        mesh.vertexCount = in.readU32(bytes);
        if (!in.ok())
            return fail("file ends before the vertex count");
        if (!fits(mesh.vertexCount, kVertexBytes))
            return fail("vertex count " + std::to_string(mesh.vertexCount) + " is larger than the file");
        const uint32_t v = mesh.vertexCount;
        mesh.positions.resize(v);
        mesh.normals.resize(v);
        mesh.texCoords.resize(v);
        for (glm::vec3& p : mesh.positions)
            p = readVec3();
        for (glm::vec3& n : mesh.normals)
            n = readVec3();
        for (glm::vec2& t : mesh.texCoords)
            t = {in.readF32(bytes), in.readF32(bytes)};
        return in.ok() || fail("file ends inside the vertex data");
    }

    bool readTriangles(MeshFileData& mesh)
    {
        const uint32_t triangles = in.readU32(bytes);
        if (!in.ok())
            return fail("file ends before the triangle count");
        if (!fits(triangles, kTriangleBytes))
            return fail("triangle count " + std::to_string(triangles) + " is larger than the file");
        mesh.indices.reserve(uint64_t(triangles) * 3);
        for (uint32_t t = 0; t < triangles; ++t) {
            for (int corner = 0; corner < 3; ++corner) {
                const uint32_t index = in.readU32(bytes);
                if (index >= mesh.vertexCount)
                    return fail("triangle " + std::to_string(t) + " uses vertex " + std::to_string(index) +
                                " of " + std::to_string(mesh.vertexCount));
                mesh.indices.push_back(index);
            }
            ++mesh.triangleCount;
        }
        return in.ok() || fail("file ends inside the triangle data");
    }

    bool checkRange(const MeshFileData& mesh, const MeshFileSubMesh& sub)
    {
        if (uint64_t(sub.firstIndex) + sub.indexCount > mesh.indices.size())
            return fail("sub-mesh \"" + sub.name + "\" reaches past the " + std::to_string(mesh.indices.size()) +
                        " indices");
        for (uint32_t i = sub.firstIndex; i < sub.firstIndex + sub.indexCount; ++i)
            if (uint64_t(mesh.indices[i]) + sub.baseVertex >= mesh.vertexCount)
                return fail("sub-mesh \"" + sub.name + "\" reaches past the " + std::to_string(mesh.vertexCount) +
                            " vertices");
        return true;
    }

    bool readSubMeshes(MeshFileData& mesh)
    {
        const uint8_t count = in.readU8(bytes);
        for (uint32_t s = 0; s < count && in.ok(); ++s) {
            MeshFileSubMesh sub;
            sub.name = in.readString(bytes);
            sub.firstIndex = in.readU32(bytes);
            sub.indexCount = in.readU32(bytes);
            sub.baseVertex = in.readU32(bytes);
            if (!in.ok())
                break;
            if (!checkRange(mesh, sub))
                return false;
            mesh.subMeshes.push_back(std::move(sub));
        }
        return in.ok() || fail("file ends inside the sub-mesh table");
    }

    bool readWeights(MeshFileData& mesh)
    {
        if (!fits(mesh.vertexCount, kWeightBytes))
            return fail("file ends inside the vertex weights");
        mesh.vertexWeights.resize(mesh.vertexCount);
        for (MeshFileVertexWeight& w : mesh.vertexWeights) {
            for (uint32_t& bone : w.boneIndices)
                bone = in.readU16(bytes);
            for (float& weight : w.weights)
                weight = in.readF32(bytes);
        }
        return in.ok() || fail("file ends inside the vertex weights");
    }

    bool readBones(MeshFileData& mesh)
    {
        const uint8_t count = in.readU8(bytes);
        for (uint32_t b = 0; b < count && in.ok(); ++b) {
            MeshFileBone bone;
            bone.name = in.readString(bytes);
            if (!fits(1, kMatrixBytes))
                return fail("file ends inside bone \"" + bone.name + "\"");
            float* m = &bone.inverseBindPose[0][0];
            for (int i = 0; i < 16; ++i)
                m[i] = in.readF32(bytes);
            mesh.bones.push_back(std::move(bone));
        }
        if (!in.ok())
            return fail("file ends inside the bone table");
        // A weighted influence must name a bone the file has.
        for (uint32_t v = 0; v < mesh.vertexCount; ++v)
            for (int k = 0; k < 4; ++k)
                if (mesh.vertexWeights[v].weights[k] != 0.0f && mesh.vertexWeights[v].boneIndices[k] >= count)
                    return fail("vertex " + std::to_string(v) + " is weighted to bone " +
                                std::to_string(mesh.vertexWeights[v].boneIndices[k]) + " of " +
                                std::to_string(count));
        return true;
    }

    const ByteBuffer& bytes;
    ByteBufferReader in;
    std::string reason;
};

} // namespace

std::optional<MeshFileData> parseMeshFile(const ByteBuffer& bytes, std::string& error)
{
    return Parser(bytes).parse(error);
}

std::optional<MeshFileData> parseMeshFile(const void* bytes, size_t size, std::string& error)
{
    return parseMeshFile(ByteBuffer::fromBytes(bytes, size), error);
}

std::optional<MeshFileData> readMeshFile(const std::filesystem::path& path)
{
    ByteBuffer bytes;
    if (!readAssetFile(path, kMaxFileBytes, "mesh", bytes))
        return std::nullopt;
    std::string error;
    std::optional<MeshFileData> mesh = parseMeshFile(bytes, error);
    if (!mesh)
        logLine("Cannot load mesh file \"" + path.string() + "\": " + error);
    return mesh;
}

ByteBuffer writeMeshFile(const MeshFileData& data)
{
    ByteBuffer bytes;
    ByteBufferWriter out(kLittleEndian);
    out.writeBytes(bytes, data.skinned ? kSkinnedMagic : kStaticMagic, kMagicLength);
    out.writeU8(bytes, 0);
    const auto vertices = static_cast<uint32_t>(data.positions.size());
    out.writeU32(bytes, vertices);
    for (const glm::vec3& p : data.positions)
        for (int i = 0; i < 3; ++i)
            out.writeF32(bytes, p[i]);
    for (uint32_t v = 0; v < vertices; ++v)
        for (int i = 0; i < 3; ++i)
            out.writeF32(bytes, v < data.normals.size() ? data.normals[v][i] : 0.0f);
    for (uint32_t v = 0; v < vertices; ++v)
        for (int i = 0; i < 2; ++i)
            out.writeF32(bytes, v < data.texCoords.size() ? data.texCoords[v][i] : 0.0f);
    out.writeU32(bytes, static_cast<uint32_t>(data.indices.size() / 3));
    for (size_t i = 0; i < data.indices.size() / 3 * 3; ++i)
        out.writeU32(bytes, data.indices[i]);
    out.writeU8(bytes, static_cast<uint8_t>(data.subMeshes.size()));
    for (const MeshFileSubMesh& sub : data.subMeshes) {
        out.writeString(bytes, sub.name);
        out.writeU32(bytes, sub.firstIndex);
        out.writeU32(bytes, sub.indexCount);
        out.writeU32(bytes, sub.baseVertex);
    }
    if (data.skinned) {
        for (uint32_t v = 0; v < vertices; ++v) {
            const MeshFileVertexWeight w = v < data.vertexWeights.size() ? data.vertexWeights[v] : MeshFileVertexWeight{};
            for (uint32_t bone : w.boneIndices)
                out.writeU16(bytes, static_cast<uint16_t>(bone));
            for (float weight : w.weights)
                out.writeF32(bytes, weight);
        }
        out.writeU8(bytes, static_cast<uint8_t>(data.bones.size()));
        for (const MeshFileBone& bone : data.bones) {
            out.writeString(bytes, bone.name);
            const float* m = &bone.inverseBindPose[0][0];
            for (int i = 0; i < 16; ++i)
                out.writeF32(bytes, m[i]);
        }
    }
    return bytes;
}

bool saveMeshFile(const std::filesystem::path& path, const MeshFileData& data)
{
    const ByteBuffer bytes = writeMeshFile(data);
    return bytes.saveFile(path, bytes.getLength());
}

} // namespace Engine::GFX::Mesh
