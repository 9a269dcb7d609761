#include "game/course/runrecord.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/bytebuffer/bytebufferwriter.h"
#include "game/course/checksum.h"
#include "game/course/runinput.h"

#include <cmath>

namespace Game::RunRecordFile {
namespace {

constexpr std::string_view kMark = "txrun";
// Version 2 adds the pad's look settings after the mouse's, and the extras of a step's input (the
// sticks and held reeling); a version 1 record is read with the pad's defaults.
constexpr uint8_t kVersion = 2;
constexpr uint8_t kMaxGhostInterval = 100;
// Bytes of a sample without and with its rope anchor.
constexpr uint64_t kSampleBytes = 17;
constexpr uint64_t kAnchorBytes = 12;
constexpr uint64_t kChecksumBytes = 8;

void writeU64(Engine::ByteBufferWriter& writer, Engine::ByteBuffer& out, uint64_t value)
{
    writer.writeU32(out, uint32_t(value >> 32));
    writer.writeU32(out, uint32_t(value));
}

uint64_t readU64(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes)
{
    const uint64_t high = reader.readU32(bytes);
    return (high << 32) | reader.readU32(bytes);
}

void writeVec3(Engine::ByteBufferWriter& writer, Engine::ByteBuffer& out, const glm::vec3& v)
{
    writer.writeF32(out, v.x);
    writer.writeF32(out, v.y);
    writer.writeF32(out, v.z);
}

// Reads three numbers; false when one is not finite or out of range.
bool readVec3(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes, glm::vec3& v)
{
    for (int axis = 0; axis < 3; ++axis) {
        v[axis] = reader.readF32(bytes);
        if (!(std::fabs(v[axis]) <= kMaxCoordinate))
            return false;
    }
    return true;
}

RunRecordReadResult refused(std::string problem)
{
    RunRecordReadResult result;
    result.problem = std::move(problem);
    return result;
}

// The header up to the look settings; empty, or what is wrong.
std::string readTimes(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes, RunRecord& record)
{
    char mark[5] = {};
    reader.readBytes(bytes, mark, sizeof mark);
    if (std::string_view(mark, sizeof mark) != kMark)
        return "not a run record (no \"txrun\" mark)";
    const uint8_t version = reader.readU8(bytes);
    if (version < 1 || version > kVersion)
        return "a record version this game does not know";
    record.courseKey = readU64(reader, bytes);
    record.times.total = reader.readU32(bytes);
    if (record.times.total == 0 || record.times.total > kMaxSteps)
        return "a run time of no steps or over an hour";
    const uint16_t splits = reader.readU16(bytes);
    if (splits > Course::kMaxGates || reader.remaining(bytes) < uint64_t(splits) * 4)
        return "more splits than a course has checkpoints, or cut short";
    uint32_t before = 1;
    for (uint16_t i = 0; i < splits; ++i) {
        record.times.splits.push_back(reader.readU32(bytes));
        if (record.times.splits.back() < before || record.times.splits.back() > record.times.total)
            return "splits out of order or beyond the run's time";
        before = record.times.splits.back();
    }
    record.look.sensitivity = reader.readF32(bytes);
    const uint8_t inverted = reader.readU8(bytes);
    if (!(record.look.sensitivity > 0.0f && record.look.sensitivity <= kMaxSensitivity) || inverted > 1)
        return "look settings out of range";
    record.look.invert = inverted == 1;
    if (version == 1)
        return {};
    record.look.padSensitivity = reader.readF32(bytes);
    const uint8_t padInverted = reader.readU8(bytes);
    if (!(record.look.padSensitivity > 0.0f && record.look.padSensitivity <= kMaxSensitivity) || padInverted > 1)
        return "pad look settings out of range";
    record.look.padInvert = padInverted == 1;
    return {};
}

// The input tape; empty, or what is wrong.
std::string readInput(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes, RunRecord& record)
{
    record.inputSteps = reader.readU32(bytes);
    const uint32_t length = reader.readU32(bytes);
    if (record.inputSteps < record.times.total || record.inputSteps > kMaxSteps)
        return "fewer input steps than the run's time, or over an hour";
    if (length > reader.remaining(bytes) || length > uint64_t(record.inputSteps) * RunInput::kMaxStepBytes)
        return "the input is cut short";
    record.input.resize(length);
    reader.readBytes(bytes, record.input.data(), length);
    size_t position = 0;
    StepInput step;
    for (uint32_t i = 0; i < record.inputSteps; ++i) {
        if (!RunInput::next(record.input, position, step))
            return "the input of step " + std::to_string(i + 1) + " is damaged";
    }
    return position == record.input.size() ? std::string() : "the input has more bytes than its steps";
}

// The ghost samples; empty, or what is wrong.
std::string readGhost(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& bytes, RunRecord& record)
{
    record.ghostInterval = reader.readU8(bytes);
    const uint32_t count = reader.readU32(bytes);
    if (record.ghostInterval == 0 || record.ghostInterval > kMaxGhostInterval)
        return "a ghost interval of 0 or over 100 steps";
    // One sample at the restart, one every interval, and one for a run that ends between two.
    const uint32_t mostSamples = (record.inputSteps + record.ghostInterval - 1) / record.ghostInterval + 1;
    if (count > mostSamples || uint64_t(count) * kSampleBytes > reader.remaining(bytes))
        return "more ghost samples than the run has steps, or cut short";
    record.ghost.resize(count);
    for (GhostSample& sample : record.ghost) {
        if (!readVec3(reader, bytes, sample.position))
            return "a ghost position that is not a number in range";
        sample.yaw = reader.readF32(bytes);
        const uint8_t roped = reader.readU8(bytes);
        if (!std::isfinite(sample.yaw) || roped > 1)
            return "a ghost sample with a bad facing or rope mark";
        sample.roped = roped == 1;
        if (sample.roped && (reader.remaining(bytes) < kAnchorBytes || !readVec3(reader, bytes, sample.anchor)))
            return "a ghost rope anchor that is not a number in range";
    }
    return {};
}

} // namespace

std::string encode(const RunRecord& record)
{
    Engine::ByteBuffer out(4096 + record.input.size() + record.ghost.size() * (kSampleBytes + kAnchorBytes));
    Engine::ByteBufferWriter writer(Engine::kBigEndian);
    writer.writeBytes(out, kMark.data(), kMark.size());
    writer.writeU8(out, kVersion);
    writeU64(writer, out, record.courseKey);
    writer.writeU32(out, record.times.total);
    writer.writeU16(out, uint16_t(record.times.splits.size()));
    for (uint32_t split : record.times.splits)
        writer.writeU32(out, split);
    writer.writeF32(out, record.look.sensitivity);
    writer.writeU8(out, record.look.invert ? 1 : 0);
    writer.writeF32(out, record.look.padSensitivity);
    writer.writeU8(out, record.look.padInvert ? 1 : 0);
    writer.writeU32(out, record.inputSteps);
    writer.writeU32(out, uint32_t(record.input.size()));
    writer.writeBytes(out, record.input.data(), record.input.size());
    writer.writeU8(out, record.ghostInterval);
    writer.writeU32(out, uint32_t(record.ghost.size()));
    for (const GhostSample& sample : record.ghost) {
        writeVec3(writer, out, sample.position);
        writer.writeF32(out, sample.yaw);
        writer.writeU8(out, sample.roped ? 1 : 0);
        if (sample.roped)
            writeVec3(writer, out, sample.anchor);
    }
    const std::string_view body(reinterpret_cast<const char*>(out.data()), out.getLength());
    writeU64(writer, out, Checksum::fnv1a64(body));
    return std::string(reinterpret_cast<const char*>(out.data()), out.getLength());
}

RunRecordReadResult decode(std::string_view text)
{
    if (text.size() > kMaxFileBytes)
        return refused("larger than " + std::to_string(kMaxFileBytes) + " bytes");
    const Engine::ByteBuffer bytes = Engine::ByteBuffer::fromBytes(text.data(), text.size());
    Engine::ByteBufferReader reader(Engine::kBigEndian);
    RunRecordReadResult result;
    using Section = std::string (*)(Engine::ByteBufferReader&, const Engine::ByteBuffer&, RunRecord&);
    for (Section section : {Section(readTimes), Section(readInput), Section(readGhost)}) {
        std::string problem = section(reader, bytes, result.record);
        if (!reader.ok())
            return refused("cut short");
        if (!problem.empty())
            return refused(problem);
    }
    if (reader.remaining(bytes) != kChecksumBytes)
        return refused("cut short, or bytes after the ghost");
    if (readU64(reader, bytes) != Checksum::fnv1a64(text.substr(0, text.size() - kChecksumBytes)))
        return refused("the checksum does not match its content");
    return result;
}

} // namespace Game::RunRecordFile
