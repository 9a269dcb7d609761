#pragma once
// Byte orders of the multi-byte values that ByteBufferWriter and ByteBufferReader move.
#include <cstdint>

namespace Engine {

// Most significant byte first. The map files use it.
constexpr uint32_t kBigEndian = 0;
// Least significant byte first. Any non-zero byte order means little-endian.
constexpr uint32_t kLittleEndian = 1;

} // namespace Engine
