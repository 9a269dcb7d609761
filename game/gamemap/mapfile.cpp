#include "game/gamemap/mapfile.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/bytebuffer/bytebufferwriter.h"
#include "engine/ecs/ecstypes.h"
#include "engine/fileutil/atomicwrite.h"
#include "game/gamemap/mapvalues.h"

#include <cmath>
#include <fstream>
#include <string_view>
#include <system_error>

namespace Game::MapFile {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "rmap";
// A decoded rotation whose squared length is this close to 1 is a unit quaternion up to the
// number coding; normalising it anyway would change the numbers a later save writes.
constexpr float kUnitLengthTolerance = 1e-5f;
// Smallest scale a block is stored with: 0.01, the smallest positive stored number.
constexpr int32_t kSmallestStoredScale = 1;

MapReadResult damaged(MapReadStatus status, std::string problem)
{
    MapReadResult result;
    result.status = status;
    result.problem = std::move(problem);
    return result;
}

glm::quat unitRotation(glm::quat q)
{
    const float lengthSquared = glm::dot(q, q);
    if (std::fabs(lengthSquared - 1.0f) <= kUnitLengthTolerance)
        return q;
    return q / std::sqrt(lengthSquared);
}

// Decodes one 40-byte record at the reader's position (the caller checked that it is there).
// False, with `problem` set, when the record cannot be a block.
bool readRecord(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes, uint64_t index,
                QubeRecord& qube, std::string& problem)
{
    int32_t stored[10];
    for (int32_t& value : stored)
        value = reader.readI32(bytes);
    for (int axis = 0; axis < 3; ++axis) {
        qube.position[axis] = MapValues::decodeLength(stored[axis]);
        if (stored[3 + axis] <= 0) {
            problem = "block " + std::to_string(index + 1) + " has a scale of 0 or less";
            return false;
        }
        qube.scale[axis] = MapValues::decodeLength(stored[3 + axis]);
    }
    if (stored[6] == 0 && stored[7] == 0 && stored[8] == 0 && stored[9] == 0) {
        problem = "block " + std::to_string(index + 1) + " has no rotation (all four numbers 0)";
        return false;
    }
    const glm::quat rotation(MapValues::decodeRotationW(stored[9]), MapValues::decodeRotationXYZ(stored[6]),
                             MapValues::decodeRotationXYZ(stored[7]), MapValues::decodeRotationXYZ(stored[8]));
    qube.rotation = unitRotation(rotation);
    return true;
}

bool isFinite(glm::vec3 v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool isFinite(glm::quat q)
{
    return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}

// Rotation x, y and z of +1 cannot be stored and are written as -1. A float component can be
// exactly 1 while the others are small but not 0, so flipping that one component alone would
// turn the block; -q is the same orientation and stores its -1 exactly.
glm::quat storableSign(const glm::quat& q)
{
    return q.x >= 1.0f || q.y >= 1.0f || q.z >= 1.0f ? -q : q;
}

void writeRecord(Engine::ByteBufferWriter& writer, Engine::ByteBuffer& out, const QubeRecord& qube)
{
    for (int axis = 0; axis < 3; ++axis)
        writer.writeI32(out, MapValues::encodeLength(qube.position[axis]));
    for (int axis = 0; axis < 3; ++axis)
        writer.writeI32(out, std::max(MapValues::encodeLength(std::fabs(qube.scale[axis])), kSmallestStoredScale));
    const bool zeroRotation = qube.rotation.x == 0.0f && qube.rotation.y == 0.0f && qube.rotation.z == 0.0f
        && qube.rotation.w == 0.0f;
    const glm::quat rotation = zeroRotation ? glm::quat(1.0f, 0.0f, 0.0f, 0.0f) : storableSign(qube.rotation);
    writer.writeI32(out, MapValues::encodeRotationXYZ(rotation.x));
    writer.writeI32(out, MapValues::encodeRotationXYZ(rotation.y));
    writer.writeI32(out, MapValues::encodeRotationXYZ(rotation.z));
    writer.writeI32(out, MapValues::encodeRotationW(rotation.w));
}

// Reads at most `limit` bytes from the start of the regular file at `path`.
bool readFilePrefix(const fs::path& path, uint64_t limit, Engine::ByteBuffer& out)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    const uintmax_t size = fs::file_size(path, ec);
    if (ec)
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    const uint64_t wanted = std::min<uint64_t>(size, limit);
    std::vector<char> bytes(wanted);
    file.read(bytes.data(), static_cast<std::streamsize>(wanted));
    const uint64_t got = static_cast<uint64_t>(file.gcount());
    if (got != wanted && !file.eof())
        return false;
    out = Engine::ByteBuffer::fromBytes(bytes.data(), got);
    return true;
}

} // namespace

uint32_t maxQubes()
{
    return ECS::EntityIdLimit - 1;
}

MapReadResult read(const Engine::ByteBuffer& bytes)
{
    Engine::ByteBufferReader reader(Engine::kBigEndian);
    if (bytes.getLength() < kHeaderSize)
        return damaged(MapReadStatus::TooShort,
                       "shorter than a map header (" + std::to_string(bytes.getLength()) + " of 10 bytes)");
    const uint8_t magicLength = reader.readU8(bytes);
    if (magicLength != kMagic.size())
        return damaged(MapReadStatus::BadMagic, "not a map file (no \"rmap\" mark)");
    char magic[4] = {};
    reader.readBytes(bytes, magic, sizeof magic);
    if (std::string_view(magic, sizeof magic) != kMagic)
        return damaged(MapReadStatus::BadMagic, "not a map file (no \"rmap\" mark)");
    reader.skip(bytes, 1);
    const int32_t count = reader.readI32(bytes);
    if (count < 0)
        return damaged(MapReadStatus::NegativeCount, "negative block count " + std::to_string(count));
    if (uint32_t(count) > maxQubes())
        return damaged(MapReadStatus::TooManyQubes, std::to_string(count) + " blocks, more than the "
                       + std::to_string(maxQubes()) + " a map can hold");
    const uint64_t needed = uint64_t(count) * kRecordSize;
    if (reader.remaining(bytes) < needed)
        return damaged(MapReadStatus::Truncated, "cut short: " + std::to_string(count) + " blocks need "
                       + std::to_string(kHeaderSize + needed) + " bytes, the file has "
                       + std::to_string(bytes.getLength()));

    MapReadResult result;
    result.qubes.resize(size_t(count));
    for (uint64_t i = 0; i < uint64_t(count); ++i) {
        std::string problem;
        if (!readRecord(reader, bytes, i, result.qubes[i], problem))
            return damaged(MapReadStatus::BadQube, problem);
    }
    return result;
}

MapReadResult readFile(const fs::path& path)
{
    // Nothing past the largest valid map matters, so a huge file costs no more than that.
    Engine::ByteBuffer bytes;
    if (!readFilePrefix(path, kHeaderSize + kRecordSize * maxQubes(), bytes))
        return damaged(MapReadStatus::CannotOpen, "cannot be opened");
    return read(bytes);
}

MapWriteResult encode(const std::vector<QubeRecord>& qubes, Engine::ByteBuffer& out)
{
    for (size_t i = 0; i < qubes.size(); ++i) {
        if (!isFinite(qubes[i].position) || !isFinite(qubes[i].scale) || !isFinite(qubes[i].rotation))
            return {MapWriteStatus::InvalidValue, "block " + std::to_string(i + 1) + " has a value that is not a number"};
    }
    if (qubes.size() > maxQubes())
        return {MapWriteStatus::InvalidValue, "more blocks than a map can hold"};

    out.setLength(0);
    Engine::ByteBufferWriter writer(Engine::kBigEndian, 1.5f);
    writer.writeString(out, kMagic);
    writer.writeU8(out, 0);
    writer.writeI32(out, int32_t(qubes.size()));
    for (const QubeRecord& qube : qubes)
        writeRecord(writer, out, qube);
    return {};
}

MapWriteResult writeFile(const fs::path& path, const std::vector<QubeRecord>& qubes)
{
    Engine::ByteBuffer bytes(kInitialWriteCapacity);
    MapWriteResult result = encode(qubes, bytes);
    if (!result.ok())
        return result;
    std::string problem;
    if (!Engine::writeFileAtomically(path, bytes.data(), bytes.getLength(), &problem))
        return {MapWriteStatus::CannotWrite, problem};
    return result;
}

} // namespace Game::MapFile
