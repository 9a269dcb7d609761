#pragma once
// Skinned meshes from ".camesh" files: position, normal, texture coordinate, four bone indices
// and four bone weights per vertex, drawn by sub-mesh like Model3Di, plus the bones' inverse
// bind poses.
#include "engine/gfx/meshfile.h"
#include "engine/gfx/model3d.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace Engine::GFX {

// position (3 floats), normal (3), texture coordinate (2), bone indices (4 unsigned), weights (4).
extern const VertexLayout skeletalVertexLayout;

namespace Mesh {

struct SkeletalBone {
    glm::mat4 matrix{1.0f}; // the inverse bind pose stored in the file
    std::string name;
};

class SkeletalMesh : public VAOi {
public:
    SkeletalMesh();

    void draw() const override;

    const std::vector<SubMesh>& subMeshes() const { return records; }
    const std::vector<SkeletalBone>& bones() const { return boneList; }

private:
    friend std::unique_ptr<SkeletalMesh> buildSkeletalMesh(const MeshFileData& data);
    std::vector<SubMesh> records;
    std::vector<SkeletalBone> boneList;
};

// Builds and uploads a skinned mesh from parsed file data; nullptr when the data is not skinned.
std::unique_ptr<SkeletalMesh> buildSkeletalMesh(const MeshFileData& data);

// Reads, checks and uploads a ".camesh" file. A missing, bad or static mesh file is reported with
// its name and gives nullptr.
std::unique_ptr<SkeletalMesh> loadSkeletalMesh(const std::filesystem::path& path);

} // namespace Mesh
} // namespace Engine::GFX
