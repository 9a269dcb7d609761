#pragma once
// Keyframe animations read from ".canim" files: per bone, position, rotation and scale keys with
// their times, and their playback: a channel sampled at any time, looping over the animation.
// Key times and the duration are in seconds.
//
// File layout (little-endian): 10 bytes magic, 1 reserved byte, name (1 length byte + bytes),
// duration and frames per second (floats), channel count N (1 byte), then N channels: bone name,
// key count K (2 bytes), K position keys (x, y, z, time), K scale keys (x, y, z, time),
// K rotation keys (w, x, y, z, time).
#include "engine/bytebuffer/bytebuffer.h"

#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>
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

// A bone's place relative to its parent: translation, rotation and scale.
struct BoneTransform {
    glm::vec3 position{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f};

    // translate(position) x rotate(rotation) x scale(scale).
    glm::mat4 matrix() const;
    // The parts of an affine `matrix` without shear; a column of zero length gives no rotation.
    static BoneTransform fromMatrix(const glm::mat4& matrix);
};

// `channel` at `time` seconds: positions and scales interpolated linearly, rotations by the
// shorter slerp, between the keys before and after it. With `loopLength` above 0 the time wraps
// into [0, loopLength) and the last key leads on to the first; otherwise times before the first
// key or after the last take that key. Keys need not be in time order; keys without a finite
// time are skipped. A key list that is empty takes its part from `rest`.
BoneTransform sampleChannel(const AnimationChannel& channel, float time, float loopLength, const BoneTransform& rest);

class Animation {
public:
    // Reads a ".canim" file. False, with a console line naming the file, when it is missing or
    // short; the animation is then empty.
    bool loadFromFile(const std::string& path);
    // Reads ".canim" bytes held in memory; `sourceName` names them in console lines.
    bool loadFromBuffer(const ByteBuffer& buffer, const std::string& sourceName);

    // The time one cycle takes: the duration when it is a positive number, else the latest key
    // time; 0 when neither is (the animation then holds its poses instead of looping).
    float loopLength() const;

    // The two header values, second (frames per second) first.
    float framesPerSecond = 0.0f;
    float duration = 0.0f;
    std::string name;
    std::vector<AnimationChannel> channels;

private:
    void clear();
};

} // namespace Engine::GFX
