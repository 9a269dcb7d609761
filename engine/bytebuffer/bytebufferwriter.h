#pragma once
// Cursor that appends values to a ByteBuffer in a chosen byte order, growing the buffer as
// needed and extending its content length as it goes.
#include "engine/bytebuffer/bytebuffer.h"
#include "engine/bytebuffer/byteorder.h"

#include <cstdint>
#include <string_view>

namespace Engine {

class ByteBufferWriter {
public:
    // Longest string writeString stores; the length travels in one byte.
    static constexpr uint64_t kMaxStringLength = 255;

    uint32_t byteOrder = kBigEndian;
    // Factor by which a full buffer grows; growth always adds at least one byte.
    float growthFactor = 1.5f;
    // Index of the next byte to write; after writing from 0, the number of bytes written.
    uint64_t position = 0;

    explicit ByteBufferWriter(uint32_t byteOrder = kBigEndian, float growthFactor = 1.5f);

    void writeU8(ByteBuffer& buffer, uint8_t value);
    void writeU16(ByteBuffer& buffer, uint16_t value);
    void writeU32(ByteBuffer& buffer, uint32_t value);
    // Two's complement, the same bytes as writeU32.
    void writeI32(ByteBuffer& buffer, int32_t value);
    // IEEE-754 single precision, the bit pattern written as by writeU32.
    void writeF32(ByteBuffer& buffer, float value);
    // One length byte, then the bytes of `text`. Text longer than 255 bytes is cut to at most
    // 255 bytes at a UTF-8 character boundary, so no character is ever split.
    void writeString(ByteBuffer& buffer, std::string_view text);
    void writeBytes(ByteBuffer& buffer, const void* bytes, uint64_t count);
};

// Size after one growth step of a full buffer of `size` bytes: size × factor truncated, but
// always at least size + 1, so buffers of 0 or 1 bytes and factors of 1 or less still grow.
uint64_t grownSize(uint64_t size, float growthFactor);

// Length of the longest prefix of `text` of at most `maxLength` bytes that does not end inside
// a UTF-8 character.
uint64_t utf8PrefixLength(std::string_view text, uint64_t maxLength);

} // namespace Engine
