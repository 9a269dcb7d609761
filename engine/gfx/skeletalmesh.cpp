#include "engine/gfx/skeletalmesh.h"

#include "engine/core/log.h"

#include <GL/glew.h>

namespace Engine::GFX {

const VertexLayout skeletalVertexLayout = {
    {kLayoutFloat, 3}, {kLayoutFloat, 3}, {kLayoutFloat, 2}, {kLayoutUInt, 4}, {kLayoutFloat, 4},
};

namespace Mesh {
namespace {

template <typename Vector, int N>
std::vector<float> flatten(const std::vector<Vector>& values)
{
    std::vector<float> scalars;
    scalars.reserve(values.size() * N);
    for (const Vector& value : values)
        for (int i = 0; i < N; ++i)
            scalars.push_back(value[i]);
    return scalars;
}

} // namespace

SkeletalMesh::SkeletalMesh()
    : VAOi(skeletalVertexLayout)
{
}

void SkeletalMesh::draw() const
{
    if (!uploaded)
        return;
    bindAndEnable();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    for (const SubMesh& record : records) {
        if (record.indexCount == 0)
            continue;
        glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(record.indexCount), GL_UNSIGNED_INT,
                                 reinterpret_cast<const void*>(uintptr_t(record.firstIndex) * sizeof(uint32_t)),
                                 static_cast<GLint>(record.baseVertex));
    }
    disableAndUnbind();
}

std::unique_ptr<SkeletalMesh> buildSkeletalMesh(const MeshFileData& data)
{
    if (!data.skinned)
        return nullptr;
    auto mesh = std::make_unique<SkeletalMesh>();
    mesh->setFloatBuffer(0, flatten<glm::vec3, 3>(data.positions));
    mesh->setFloatBuffer(1, flatten<glm::vec3, 3>(data.normals));
    mesh->setFloatBuffer(2, flatten<glm::vec2, 2>(data.texCoords));
    std::vector<uint32_t> boneIndices;
    std::vector<float> weights;
    boneIndices.reserve(data.vertexWeights.size() * 4);
    weights.reserve(data.vertexWeights.size() * 4);
    for (const MeshFileVertexWeight& vertex : data.vertexWeights) {
        boneIndices.insert(boneIndices.end(), vertex.boneIndices.begin(), vertex.boneIndices.end());
        weights.insert(weights.end(), vertex.weights.begin(), vertex.weights.end());
    }
    mesh->setUIntBuffer(3, std::move(boneIndices));
    mesh->setFloatBuffer(4, std::move(weights));
    mesh->setIndices(data.indices);
    for (const MeshFileSubMesh& sub : data.subMeshes)
        mesh->records.push_back({sub.firstIndex, sub.indexCount, sub.baseVertex});
    for (const MeshFileBone& bone : data.bones)
        mesh->boneList.push_back({bone.inverseBindPose, bone.name});
    mesh->upload();
    return mesh;
}

std::unique_ptr<SkeletalMesh> loadSkeletalMesh(const std::filesystem::path& path)
{
    const std::optional<MeshFileData> data = readMeshFile(path);
    if (!data)
        return nullptr;
    if (!data->skinned) {
        logLine("Mesh \"" + path.string() + "\" is not a skinned mesh; it is not loaded as one");
        return nullptr;
    }
    return buildSkeletalMesh(*data);
}

} // namespace Mesh
} // namespace Engine::GFX
