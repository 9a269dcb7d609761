// The mesh file parser (static ".cmesh" and skinned ".camesh") on arbitrary bytes. An accepted
// mesh is consistent (every index names a vertex, every sub-mesh lies inside the index array,
// every bone weight names a bone) and is written and parsed back to the same mesh.
#include "engine/gfx/meshfile.h"
#include "fuzzcheck.h"
#include "quiet.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using Engine::GFX::Mesh::MeshFileData;

namespace {

void checkConsistent(const MeshFileData& mesh)
{
    FUZZ_CHECK(mesh.positions.size() == mesh.vertexCount);
    FUZZ_CHECK(mesh.normals.size() == mesh.vertexCount);
    FUZZ_CHECK(mesh.texCoords.size() == mesh.vertexCount);
    FUZZ_CHECK(mesh.indices.size() == uint64_t(mesh.triangleCount) * 3);
    for (const uint32_t index : mesh.indices)
        FUZZ_CHECK(index < mesh.vertexCount);
    for (const auto& sub : mesh.subMeshes) {
        FUZZ_CHECK(uint64_t(sub.firstIndex) + sub.indexCount <= mesh.indices.size());
        for (uint64_t i = sub.firstIndex; i < uint64_t(sub.firstIndex) + sub.indexCount; ++i)
            FUZZ_CHECK(uint64_t(mesh.indices[i]) + sub.baseVertex < mesh.vertexCount);
    }
    if (!mesh.skinned) {
        FUZZ_CHECK(mesh.vertexWeights.empty() && mesh.bones.empty());
        return;
    }
    FUZZ_CHECK(mesh.vertexWeights.size() == mesh.vertexCount);
    for (const auto& weight : mesh.vertexWeights)
        for (size_t k = 0; k < 4; ++k)
            FUZZ_CHECK(weight.weights[k] == 0.0f || weight.boneIndices[k] < mesh.bones.size());
}

// Same size and bit patterns, so that NaN values compare too.
template <typename T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

void checkSame(const MeshFileData& a, const MeshFileData& b)
{
    FUZZ_CHECK(a.skinned == b.skinned);
    FUZZ_CHECK(a.vertexCount == b.vertexCount && a.triangleCount == b.triangleCount);
    FUZZ_CHECK(a.indices == b.indices);
    FUZZ_CHECK(a.subMeshes.size() == b.subMeshes.size());
    for (size_t i = 0; i < a.subMeshes.size(); ++i) {
        FUZZ_CHECK(a.subMeshes[i].name == b.subMeshes[i].name);
        FUZZ_CHECK(a.subMeshes[i].firstIndex == b.subMeshes[i].firstIndex);
        FUZZ_CHECK(a.subMeshes[i].indexCount == b.subMeshes[i].indexCount);
        FUZZ_CHECK(a.subMeshes[i].baseVertex == b.subMeshes[i].baseVertex);
    }
    FUZZ_CHECK(sameBits(a.positions, b.positions));
    FUZZ_CHECK(sameBits(a.normals, b.normals));
    FUZZ_CHECK(sameBits(a.texCoords, b.texCoords));
    FUZZ_CHECK(a.vertexWeights.size() == b.vertexWeights.size());
    for (size_t i = 0; i < a.vertexWeights.size(); ++i)
        FUZZ_CHECK(a.vertexWeights[i].boneIndices == b.vertexWeights[i].boneIndices);
    FUZZ_CHECK(a.bones.size() == b.bones.size());
    for (size_t i = 0; i < a.bones.size(); ++i)
        FUZZ_CHECK(a.bones[i].name == b.bones[i].name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    const auto mesh = Engine::GFX::Mesh::parseMeshFile(data, size, error);
    FUZZ_CHECK(mesh.has_value() == error.empty());
    if (!mesh)
        return 0;
    checkConsistent(*mesh);

    const Engine::ByteBuffer written = Engine::GFX::Mesh::writeMeshFile(*mesh);
    std::string againError;
    const auto again = Engine::GFX::Mesh::parseMeshFile(written, againError);
    FUZZ_CHECK(again.has_value());
    checkSame(*mesh, *again);
    return 0;
}
