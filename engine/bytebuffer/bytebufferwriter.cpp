#include "engine/bytebuffer/bytebufferwriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Engine {

namespace {
// A UTF-8 character has at most three continuation bytes after its lead byte.
constexpr uint64_t kMaxContinuationBytes = 3;

bool isContinuationByte(char c)
{
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}
} // namespace

uint64_t grownSize(uint64_t size, float growthFactor)
{
    const float scaled = static_cast<float>(size) * growthFactor;
    // The comparison is false for NaN as well, which then also takes the one-byte step.
    if (!(scaled > static_cast<float>(size)) || !std::isfinite(scaled))
        return size + 1;
    constexpr float kLimit = 9.0e18f; // below 2^63, so the conversion is always defined
    const uint64_t grown = static_cast<uint64_t>(std::min(scaled, kLimit));
    return std::max(grown, size + 1);
}

uint64_t utf8PrefixLength(std::string_view text, uint64_t maxLength)
{
    if (text.size() <= maxLength)
        return text.size();
    uint64_t cut = maxLength;
    // Step back over continuation bytes so the cut falls before a lead byte. Text that is not
    // UTF-8 has no character to protect: after three steps the plain byte cut stands.
    for (uint64_t steps = 0; steps <= kMaxContinuationBytes && cut > 0; ++steps) {
        if (!isContinuationByte(text[cut]))
            return cut;
        --cut;
    }
    return maxLength;
}

ByteBufferWriter::ByteBufferWriter(uint32_t byteOrder, float growthFactor)
    : byteOrder(byteOrder)
    , growthFactor(growthFactor)
{
}

void ByteBufferWriter::writeU8(ByteBuffer& buffer, uint8_t value)
{
    if (position >= buffer.getSize())
        buffer.resize(std::max(grownSize(buffer.getSize(), growthFactor), position + 1));
    buffer.at(position) = value;
    ++position;
    if (position > buffer.getLength())
        buffer.setLength(position);
}

void ByteBufferWriter::writeU16(ByteBuffer& buffer, uint16_t value)
{
    const uint8_t high = static_cast<uint8_t>(value >> 8);
    const uint8_t low = static_cast<uint8_t>(value);
    if (byteOrder == kBigEndian) {
        writeU8(buffer, high);
        writeU8(buffer, low);
    } else {
        writeU8(buffer, low);
        writeU8(buffer, high);
    }
}

void ByteBufferWriter::writeU32(ByteBuffer& buffer, uint32_t value)
{
    if (byteOrder == kBigEndian) {
        for (int shift = 24; shift >= 0; shift -= 8)
            writeU8(buffer, static_cast<uint8_t>(value >> shift));
    } else {
        for (int shift = 0; shift <= 24; shift += 8)
            writeU8(buffer, static_cast<uint8_t>(value >> shift));
    }
}

void ByteBufferWriter::writeI32(ByteBuffer& buffer, int32_t value)
{
    writeU32(buffer, static_cast<uint32_t>(value));
}

void ByteBufferWriter::writeF32(ByteBuffer& buffer, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    writeU32(buffer, bits);
}

void ByteBufferWriter::writeString(ByteBuffer& buffer, std::string_view text)
{
    const uint64_t count = utf8PrefixLength(text, kMaxStringLength);
    writeU8(buffer, static_cast<uint8_t>(count));
    writeBytes(buffer, text.data(), count);
}

void ByteBufferWriter::writeBytes(ByteBuffer& buffer, const void* bytes, uint64_t count)
{
    const uint8_t* source = static_cast<const uint8_t*>(bytes);
    for (uint64_t i = 0; i < count; ++i)
        writeU8(buffer, source[i]);
}

} // namespace Engine
