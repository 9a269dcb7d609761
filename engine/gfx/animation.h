#pragma once
// Keyframe animations read from ".canim" files: per bone, position, rotation and scale keys with
// their times. Nothing plays them back yet; they are kept for the run.
//
// File layout (little-endian): 10 bytes magic, 1 reserved byte, name (1 length byte + bytes),
// duration and frames per second (floats), channel count N (1 byte), then N channels: bone name,
// key count K (2 bytes), K position keys (x, y, z, time), K scale keys (x, y, z, time),
// K rotation keys (w, x, y, z, time).
#include "engine/bytebuffer/bytebuffer.h"

#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Engine::GFX {

struct AnimationChannel {
    std::string boneName;
    uint32_t keyCount = 0;
    std::vector<glm::vec3> positionKeys;
    std::vector<float> positionTimes;
    std::vector<glm::quat> rotationKeys;
    std::vector<float> rotationTimes;
    std::vector<glm::vec3> scaleKeys;
    std::vector<float> scaleTimes;
};

class Animation {
public:
    // Reads a ".canim" file. False, with a console line naming the file, when it is missing or
    // short; the animation is then empty.
    bool loadFromFile(const std::string& path);
    // Reads ".canim" bytes held in memory; `sourceName` names them in console lines.
    bool loadFromBuffer(const ByteBuffer& buffer, const std::string& sourceName);

    // The two header values, second (frames per second) first.
    float framesPerSecond = 0.0f;
    float duration = 0.0f;
    std::string name;
    std::vector<AnimationChannel> channels;

private:
    void clear();
};

} // namespace Engine::GFX
