#pragma once
// Meshes on the default vertex layout: Model3D (plain triangle list) and Model3Di (indexed,
// with named sub-meshes drawn through glDrawElementsBaseVertex).
#include "engine/gfx/vao.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Engine::GFX::Mesh {

class Model3D : public VAO {
public:
    Model3D();
};

// One drawable range of a Model3Di's index array.
struct SubMesh {
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
    uint32_t baseVertex = 0;
};

class Model3Di : public VAOi {
public:
    Model3Di();
    ~Model3Di() override;

    // Appends a record; a repeated name keeps pointing at its first record.
    void addSubMesh(const std::string& name, const SubMesh& record);
    bool hasSubMesh(const std::string& name) const { return nameToIndex.count(name) != 0; }
    const std::vector<SubMesh>& subMeshes() const { return records; }
    const std::map<std::string, uint32_t>& subMeshNames() const { return nameToIndex; }

    // Reports each of `names` that the mesh lacks, once, naming `source`; drawing such a name
    // later draws nothing and prints nothing more.
    void reportMissingSubMeshes(const std::vector<std::string>& names, const std::string& source) const;

    // Draws every sub-mesh in file order.
    void draw() const override;
    // Draws the one sub-mesh named; a name the mesh lacks draws nothing and is reported once.
    void drawByName(const std::string& name) const;

protected:
    void uploadExtra() override;

private:
    void drawRecord(const SubMesh& record) const;

    std::vector<SubMesh> records;
    std::map<std::string, uint32_t> nameToIndex;
    mutable std::set<std::string> reportedMissingNames;
};

struct MeshFileData;

// Builds and uploads a Model3Di from parsed mesh file data: white vertex colours, the file's
// indices and sub-mesh records in file order.
std::unique_ptr<Model3Di> buildModel3Di(const MeshFileData& data);

// Loads a mesh file into a Model3Di. A missing or damaged file prints one console line naming
// it and gives nullptr; each of `requiredNames` that the file lacks is reported at load.
std::unique_ptr<Model3Di> loadModel3Di(const std::filesystem::path& path,
                                       const std::vector<std::string>& requiredNames = {});

} // namespace Engine::GFX::Mesh
