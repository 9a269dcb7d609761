#pragma once
// Bone hierarchies read from ".cskel" files: each bone's local matrix, its parent and its
// children, and a pose of one matrix per bone (identity until something animates it).
//
// File layout (little-endian): 9 bytes magic, 1 reserved byte, bone count B (1 byte), then B
// bones: name (1 length byte + bytes), parent byte (0 = none, else parent position + 1),
// 16 floats of the local matrix, column-major.
#include "engine/bytebuffer/bytebuffer.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Engine::GFX {

struct SkeletonBone {
    glm::mat4 localMatrix{1.0f};
    bool hasParent = false;
    uint32_t parentIndex = 0; // valid when hasParent is set
    std::string name;
    std::vector<uint32_t> children;
};

class Skeleton {
public:
    // Reads a ".cskel" file. False, with a console line naming the file, when it is missing,
    // short or inconsistent; the skeleton is then empty.
    bool loadFromFile(const std::string& path);
    // Reads ".cskel" bytes held in memory; `sourceName` names them in console lines.
    bool loadFromBuffer(const ByteBuffer& buffer, const std::string& sourceName);

    // Bone name to position; a repeated name keeps its first position.
    std::map<std::string, uint32_t> nameToIndex;
    std::vector<SkeletonBone> bones;
    std::vector<glm::mat4> pose;

private:
    void clear();
};

} // namespace Engine::GFX
