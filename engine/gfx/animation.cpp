#include "engine/gfx/animation.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/core/log.h"
#include "engine/gfx/assetfile.h"

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

} // namespace

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
