#pragma once
// Cursor that reads values back from a ByteBuffer in a chosen byte order. It reads only the
// buffer's content (getLength()), never spare capacity, and never copies the buffer.
//
// A read that would run past the content fails: it returns 0 (or an empty string), leaves the
// position where it was and marks the reader as failed. The failure is sticky, so a parser can
// read a whole record and check ok() once; every later read fails the same way.
#include "engine/bytebuffer/bytebuffer.h"
#include "engine/bytebuffer/byteorder.h"

#include <cstdint>
#include <string>

namespace Engine {

class ByteBufferReader {
public:
    uint32_t byteOrder = kBigEndian;
    // Index of the next byte to read.
    uint64_t position = 0;

    explicit ByteBufferReader(uint32_t byteOrder = kBigEndian);

    uint8_t readU8(const ByteBuffer& buffer);
    uint16_t readU16(const ByteBuffer& buffer);
    uint32_t readU32(const ByteBuffer& buffer);
    // The same four bytes as readU32, taken as two's complement.
    int32_t readI32(const ByteBuffer& buffer);
    // IEEE-754 single precision from the bit pattern read as by readU32.
    float readF32(const ByteBuffer& buffer);
    // One length byte L, then L bytes. Fails as a whole when fewer than L bytes follow.
    std::string readString(const ByteBuffer& buffer);
    // Copies the next `count` bytes to `out`; false (and nothing copied) when fewer remain.
    bool readBytes(const ByteBuffer& buffer, void* out, uint64_t count);
    // Moves past `count` bytes; false when fewer remain.
    bool skip(const ByteBuffer& buffer, uint64_t count);

    // Content bytes after the position (0 when the position is past the content). Parsers check
    // a count read from a file against this before they reserve memory for it.
    uint64_t remaining(const ByteBuffer& buffer) const;

    // True while no read has failed.
    bool ok() const { return !failed; }

private:
    bool failed = false;

    // True when `count` more bytes can be read; otherwise marks the reader as failed.
    bool canRead(const ByteBuffer& buffer, uint64_t count);
};

} // namespace Engine
