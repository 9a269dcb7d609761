#include "engine/gfx/animation.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/core/log.h"
#include "engine/gfx/assetfile.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace Engine::GFX {
namespace {

constexpr uint64_t kMagicLength = 10;
constexpr uint64_t kReservedLength = 1;
// Larger than any animation the game uses (they are a few kilobytes) by far; a file beyond
// it is refused before it is read into memory.
constexpr uint64_t kMaxFileBytes = 64ull << 20;
// Bytes of one key of each kind: position and scale (x, y, z, time), rotation (w, x, y, z, time).
constexpr uint64_t kBytesPerKeyTriple = 16 + 16 + 20;

void readVectorKeys(ByteBufferReader& reader, const ByteBuffer& buffer, uint32_t count, std::vector<glm::vec3>& keys,
                    std::vector<float>& times)
{
    keys.reserve(count);
    times.reserve(count);
    for (uint32_t k = 0; k < count; ++k) {
        const float x = reader.readF32(buffer);
        const float y = reader.readF32(buffer);
        const float z = reader.readF32(buffer);
        keys.emplace_back(x, y, z);
        times.push_back(reader.readF32(buffer));
    }
}

void readRotationKeys(ByteBufferReader& reader, const ByteBuffer& buffer, uint32_t count,
                      std::vector<glm::quat>& keys, std::vector<float>& times)
{
    keys.reserve(count);
    times.reserve(count);
    for (uint32_t k = 0; k < count; ++k) {
        const float w = reader.readF32(buffer);
        const float x = reader.readF32(buffer);
        const float y = reader.readF32(buffer);
        const float z = reader.readF32(buffer);
        keys.emplace_back(w, x, y, z);
        times.push_back(reader.readF32(buffer));
    }
}

// The keys just before and after a time: indices into a key list, and their times (shifted by
// a loop length where the pair wraps round the end of the cycle).
struct KeyPair {
    size_t before = 0;
    size_t after = 0;
    float beforeTime = 0.0f;
    float afterTime = 0.0f;
};

// The key at or before `time` and the one after it (the first of equal times); across the loop's
// end when `loopLength` is above 0, else the nearer end key twice. Keys with a non-finite time
// never compare, so they are skipped; none: the first key twice.
KeyPair bracketKeys(const std::vector<float>& times, size_t count, float time, float loopLength)
{
    constexpr size_t kNone = ~size_t(0);
    size_t before = kNone, after = kNone, earliest = kNone, latest = kNone;
    for (size_t k = 0; k < count; ++k) {
        const float at = times[k];
        if (!std::isfinite(at))
            continue;
        if (at <= time && (before == kNone || at > times[before]))
            before = k;
        if (at > time && (after == kNone || at < times[after]))
            after = k;
        if (earliest == kNone || at < times[earliest])
            earliest = k;
        if (latest == kNone || at > times[latest])
            latest = k;
    }
    if (earliest == kNone)
        return {};
    const bool loops = loopLength > 0.0f;
    KeyPair pair;
    pair.before = before != kNone ? before : loops ? latest : after;
    pair.after = after != kNone ? after : loops ? earliest : before;
    pair.beforeTime = times[pair.before] - (before == kNone && loops ? loopLength : 0.0f);
    pair.afterTime = times[pair.after] + (after == kNone && loops ? loopLength : 0.0f);
    return pair;
}

// How far `time` lies from the pair's first key to its second, in [0, 1].
float fractionBetween(const KeyPair& pair, float time)
{
    const float span = pair.afterTime - pair.beforeTime;
    if (!(span > 0.0f))
        return 0.0f;
    return glm::clamp((time - pair.beforeTime) / span, 0.0f, 1.0f);
}

// The keys around `time` blended by `blend(before, after, fraction)`; `rest` without keys.
template <typename Value, typename Blend>
Value sampleKeys(const std::vector<Value>& keys, const std::vector<float>& times, float time, float loopLength,
                 const Value& rest, Blend blend)
{
    const size_t count = std::min(keys.size(), times.size());
    if (count == 0)
        return rest;
    const KeyPair pair = bracketKeys(times, count, time, loopLength);
    return blend(keys[pair.before], keys[pair.after], fractionBetween(pair, time));
}

// Positions or scales at `time`: the keys around it mixed linearly.
glm::vec3 sampleVectors(const std::vector<glm::vec3>& keys, const std::vector<float>& times, float time,
                        float loopLength, const glm::vec3& rest)
{
    return sampleKeys(keys, times, time, loopLength, rest,
                      [](const glm::vec3& from, const glm::vec3& to, float t) { return glm::mix(from, to, t); });
}

// `q` at unit length; the identity when it has none.
glm::quat unitOrIdentity(const glm::quat& q)
{
    const float length = glm::length(q);
    if (!(length > 0.0f) || !std::isfinite(length))
        return glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    return q / length;
}

// The rotation at `time`: the keys around it slerped the shorter way.
glm::quat sampleRotations(const std::vector<glm::quat>& keys, const std::vector<float>& times, float time,
                          float loopLength, const glm::quat& rest)
{
    return sampleKeys(keys, times, time, loopLength, rest, [](const glm::quat& from, const glm::quat& to, float t) {
        return unitOrIdentity(glm::slerp(unitOrIdentity(from), unitOrIdentity(to), t));
    });
}

// `time` wrapped into [0, loopLength) when the animation loops; 0 for a time that is no number.
float cycleTime(float time, float loopLength)
{
    if (!std::isfinite(time))
        return 0.0f;
    if (!(loopLength > 0.0f))
        return time;
    const float wrapped = std::fmod(time, loopLength);
    return wrapped < 0.0f ? wrapped + loopLength : wrapped;
}

} // namespace

glm::mat4 BoneTransform::matrix() const
{
    const glm::mat4 translated = glm::translate(glm::mat4(1.0f), position);
    return glm::scale(translated * glm::mat4_cast(rotation), scale);
}

BoneTransform BoneTransform::fromMatrix(const glm::mat4& matrix)
{
    BoneTransform parts;
    parts.position = glm::vec3(matrix[3]);
    glm::mat3 rotation(1.0f);
    for (int axis = 0; axis < 3; ++axis) {
        const glm::vec3 column(matrix[axis]);
        parts.scale[axis] = glm::length(column);
        if (!(parts.scale[axis] > 0.0f) || !std::isfinite(parts.scale[axis]))
            return parts; // no rotation can be read; position and the scales so far stand
        rotation[axis] = column / parts.scale[axis];
    }
    parts.rotation = unitOrIdentity(glm::quat_cast(rotation));
    return parts;
}

BoneTransform sampleChannel(const AnimationChannel& channel, float time, float loopLength, const BoneTransform& rest)
{
    const float at = cycleTime(time, loopLength);
    BoneTransform sampled;
    sampled.position = sampleVectors(channel.positionKeys, channel.positionTimes, at, loopLength, rest.position);
    sampled.rotation = sampleRotations(channel.rotationKeys, channel.rotationTimes, at, loopLength, rest.rotation);
    sampled.scale = sampleVectors(channel.scaleKeys, channel.scaleTimes, at, loopLength, rest.scale);
    return sampled;
}

float Animation::loopLength() const
{
    if (duration > 0.0f && std::isfinite(duration))
        return duration;
    float latest = 0.0f;
    for (const AnimationChannel& channel : channels)
        for (const std::vector<float>* times : {&channel.positionTimes, &channel.rotationTimes, &channel.scaleTimes})
            for (const float at : *times)
                if (std::isfinite(at) && at > latest)
                    latest = at;
    return latest;
}

void Animation::clear()
{
    framesPerSecond = 0.0f;
    duration = 0.0f;
    name.clear();
    channels.clear();
}

bool Animation::loadFromFile(const std::string& path)
{
    clear();
    ByteBuffer buffer;
    if (!readAssetFile(path, kMaxFileBytes, "animation", buffer))
        return false;
    return loadFromBuffer(buffer, path);
}

bool Animation::loadFromBuffer(const ByteBuffer& buffer, const std::string& sourceName)
{
    clear();
    ByteBufferReader reader(kLittleEndian);
    reader.skip(buffer, kMagicLength + kReservedLength);
    name = reader.readString(buffer);
    duration = reader.readF32(buffer);
    framesPerSecond = reader.readF32(buffer);
    const uint32_t channelCount = reader.readU8(buffer);
    for (uint32_t c = 0; c < channelCount && reader.ok(); ++c) {
        AnimationChannel channel;
        channel.boneName = reader.readString(buffer);
        channel.keyCount = reader.readU16(buffer);
        // Refuse a count the file cannot hold before reserving memory for it.
        if (!reader.ok() || uint64_t(channel.keyCount) * kBytesPerKeyTriple > reader.remaining(buffer)) {
            logf("Animation %s refused: channel %u (\"%s\") has %u keys, more than the file holds\n",
                 sourceName.c_str(), c, channel.boneName.c_str(), channel.keyCount);
            clear();
            return false;
        }
        readVectorKeys(reader, buffer, channel.keyCount, channel.positionKeys, channel.positionTimes);
        readVectorKeys(reader, buffer, channel.keyCount, channel.scaleKeys, channel.scaleTimes);
        readRotationKeys(reader, buffer, channel.keyCount, channel.rotationKeys, channel.rotationTimes);
        channels.push_back(std::move(channel));
    }
    if (!reader.ok()) {
        logf("Animation %s refused: the file ends inside its %u channels\n", sourceName.c_str(), channelCount);
        clear();
        return false;
    }
    return true;
}

} // namespace Engine::GFX
