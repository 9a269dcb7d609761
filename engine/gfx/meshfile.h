#pragma once
// The binary mesh file format shared by static (".cmesh") and skinned (".camesh") meshes:
// little-endian counts, vertex blocks, triangle indices, named sub-meshes, and for skinned files
// per-vertex bone weights and the bones' inverse bind poses.
//
// Parsing checks everything it reads: counts against the bytes that are left, every index
// against the vertex count, every sub-mesh range against the index array. A file that fails any
// check is rejected as a whole with a reason; nothing is read past the end of the data.
#include "engine/bytebuffer/bytebuffer.h"

#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Engine::GFX::Mesh {

struct MeshFileSubMesh {
    std::string name;
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
    uint32_t baseVertex = 0;
};

// Four bone influences of one vertex (indices stored as 2 bytes, widened on reading).
struct MeshFileVertexWeight {
    std::array<uint32_t, 4> boneIndices{};
    std::array<float, 4> weights{};
};

struct MeshFileBone {
    std::string name;
    glm::mat4 inverseBindPose{1.0f}; // the matrix stored in the file
    glm::mat4 pose{1.0f};            // identity, for a later playback step
};

struct MeshFileData {
    bool skinned = false;
    uint32_t vertexCount = 0;
    uint32_t triangleCount = 0;
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> texCoords;
    std::vector<uint32_t> indices; // three per triangle, in drawing order
    std::vector<MeshFileSubMesh> subMeshes;
    std::vector<MeshFileVertexWeight> vertexWeights; // skinned only, one per vertex
    std::vector<MeshFileBone> bones;                  // skinned only
};

// Magic of skinned files; any other six bytes mark a static mesh.
inline constexpr char kSkinnedMagic[] = "camesh";
inline constexpr char kSkinnedMagicAlt[] = "canisk";
inline constexpr char kStaticMagic[] = "cmesh0";

// Parses a whole mesh file held in memory; on failure returns nothing and sets `error`.
std::optional<MeshFileData> parseMeshFile(const ByteBuffer& bytes, std::string& error);
std::optional<MeshFileData> parseMeshFile(const void* bytes, size_t size, std::string& error);

// Reads and parses the file at `path`. A missing or bad file prints one console line naming it
// and returns nothing.
std::optional<MeshFileData> readMeshFile(const std::filesystem::path& path);

// Serialises `data` (skinned when data.skinned is set); the inverse of parseMeshFile.
ByteBuffer writeMeshFile(const MeshFileData& data);
bool saveMeshFile(const std::filesystem::path& path, const MeshFileData& data);

} // namespace Engine::GFX::Mesh
