#include "engine/bytebuffer/bytebufferreader.h"

#include <cstring>

namespace Engine {

ByteBufferReader::ByteBufferReader(uint32_t byteOrder)
    : byteOrder(byteOrder)
{
}

uint64_t ByteBufferReader::remaining(const ByteBuffer& buffer) const
{
    const uint64_t length = buffer.getLength();
    return position < length ? length - position : 0;
}

bool ByteBufferReader::canRead(const ByteBuffer& buffer, uint64_t count)
{
    if (failed || count > remaining(buffer)) {
        failed = true;
        return false;
    }
    return true;
}

uint8_t ByteBufferReader::readU8(const ByteBuffer& buffer)
{
    if (!canRead(buffer, 1))
        return 0;
    return buffer.at(position++);
}

uint16_t ByteBufferReader::readU16(const ByteBuffer& buffer)
{
    if (!canRead(buffer, 2))
        return 0;
    const uint16_t first = buffer.at(position++);
    const uint16_t second = buffer.at(position++);
    if (byteOrder == kBigEndian)
        return static_cast<uint16_t>(first << 8 | second);
    return static_cast<uint16_t>(second << 8 | first);
}

uint32_t ByteBufferReader::readU32(const ByteBuffer& buffer)
{
    if (!canRead(buffer, 4))
        return 0;
    uint32_t value = 0;
    if (byteOrder == kBigEndian) {
        for (int shift = 24; shift >= 0; shift -= 8)
            value |= static_cast<uint32_t>(buffer.at(position++)) << shift;
    } else {
        for (int shift = 0; shift <= 24; shift += 8)
            value |= static_cast<uint32_t>(buffer.at(position++)) << shift;
    }
    return value;
}

int32_t ByteBufferReader::readI32(const ByteBuffer& buffer)
{
    const uint32_t bits = readU32(buffer);
    int32_t value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float ByteBufferReader::readF32(const ByteBuffer& buffer)
{
    const uint32_t bits = readU32(buffer);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string ByteBufferReader::readString(const ByteBuffer& buffer)
{
    const uint64_t start = position;
    const uint8_t count = readU8(buffer);
    if (!canRead(buffer, count)) {
        position = start;
        return std::string();
    }
    std::string text(reinterpret_cast<const char*>(buffer.data() + position), count);
    position += count;
    return text;
}

bool ByteBufferReader::readBytes(const ByteBuffer& buffer, void* out, uint64_t count)
{
    if (!canRead(buffer, count))
        return false;
    if (count > 0)
        std::memcpy(out, buffer.data() + position, static_cast<size_t>(count));
    position += count;
    return true;
}

bool ByteBufferReader::skip(const ByteBuffer& buffer, uint64_t count)
{
    if (!canRead(buffer, count))
        return false;
    position += count;
    return true;
}

} // namespace Engine
