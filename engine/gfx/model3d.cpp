#include "engine/gfx/model3d.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"
#include "engine/gfx/meshfile.h"

#include <GL/glew.h>

namespace Engine::GFX::Mesh {

Model3D::Model3D()
    : VAO(defaultVertexLayout)
{
}

Model3Di::Model3Di()
    : VAOi(defaultVertexLayout)
{
}

Model3Di::~Model3Di()
{
    records.clear();
    nameToIndex.clear();
}

void Model3Di::addSubMesh(const std::string& name, const SubMesh& record)
{
    records.push_back(record);
    nameToIndex.emplace(name, static_cast<uint32_t>(records.size() - 1));
}

void Model3Di::uploadExtra()
{
    // Every range must stay inside the index array and every fetched vertex inside the buffers;
    // file readers check this before they build a mesh, so a failure here is a programming error.
    const uint64_t vertices = vertexCount();
    for (const SubMesh& record : records) {
        TX_ASSERT(uint64_t(record.firstIndex) + record.indexCount <= indices.size(),
                  "sub-mesh range lies inside the index array");
        for (uint32_t i = record.firstIndex; i < record.firstIndex + record.indexCount; ++i)
            TX_ASSERT(uint64_t(indices[i]) + record.baseVertex < vertices, "sub-mesh index names a vertex");
    }
    VAOi::uploadExtra();
}

void Model3Di::reportMissingSubMeshes(const std::vector<std::string>& names, const std::string& source) const
{
    for (const std::string& name : names)
        if (!hasSubMesh(name) && reportedMissingNames.insert(name).second)
            logLine("Mesh \"" + source + "\" has no sub-mesh named \"" + name + "\"; nothing is drawn for it");
}

void Model3Di::drawRecord(const SubMesh& record) const
{
    if (record.indexCount == 0)
        return;
    glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(record.indexCount), GL_UNSIGNED_INT,
                             reinterpret_cast<const void*>(uintptr_t(record.firstIndex) * sizeof(uint32_t)),
                             static_cast<GLint>(record.baseVertex));
}

void Model3Di::draw() const
{
    if (!uploaded)
        return;
    bindAndEnable();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    for (const SubMesh& record : records)
        drawRecord(record);
    disableAndUnbind();
}

void Model3Di::drawByName(const std::string& name) const
{
    const auto found = nameToIndex.find(name);
    if (found == nameToIndex.end()) {
        if (reportedMissingNames.insert(name).second)
            logLine("Mesh has no sub-mesh named \"" + name + "\"; nothing is drawn for it");
        return;
    }
    if (!uploaded)
        return;
    bindAndEnable();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    drawRecord(records[found->second]);
    disableAndUnbind();
}

std::unique_ptr<Model3Di> buildModel3Di(const MeshFileData& data)
{
    auto model = std::make_unique<Model3Di>();
    model->setVec3Buffer(0, data.positions);
    model->setVec3Buffer(1, data.normals);
    model->setColourBuffer(std::vector<glm::vec4>(data.positions.size(), glm::vec4(1.0f)));
    model->setTexCoordBuffer(data.texCoords);
    model->setIndices(data.indices);
    for (const MeshFileSubMesh& sub : data.subMeshes)
        model->addSubMesh(sub.name, {sub.firstIndex, sub.indexCount, sub.baseVertex});
    model->upload();
    return model;
}

std::unique_ptr<Model3Di> loadModel3Di(const std::filesystem::path& path, const std::vector<std::string>& requiredNames)
{
    const std::optional<MeshFileData> data = readMeshFile(path);
    if (!data)
        return nullptr;
    std::unique_ptr<Model3Di> model = buildModel3Di(*data);
    model->reportMissingSubMeshes(requiredNames, path.string());
    return model;
}

} // namespace Engine::GFX::Mesh
