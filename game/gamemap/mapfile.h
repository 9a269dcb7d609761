#pragma once
// Reading and writing .rmap map files.
//
// A file is a 10-byte header and one 40-byte record per block, all numbers big-endian:
//   header: u8 4, "rmap", u8 0, i32 block count N
//   record: i32 position x, y, z and scale x, y, z (x 100), rotation x, y, z (x 2^31),
//           rotation w (x 10^8); see mapvalues.h for the number coding.
// Readers never trust the file: anything that is not a complete, sensible map is reported as
// damaged and yields no blocks at all. Writers replace a file only once the whole new content
// is safely on the disk.
#include "engine/bytebuffer/bytebuffer.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Game {

// One block as a map file holds it: the unit cube under translation, rotation and scale.
struct QubeRecord {
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f}; // w, x, y, z
};

enum class MapReadStatus {
    Ok,
    CannotOpen,    // the file cannot be opened or read
    TooShort,      // fewer bytes than the 10-byte header
    BadMagic,      // length byte other than 4, or magic other than "rmap"
    NegativeCount, // the block count is below 0
    Truncated,     // fewer bytes than the block count needs
    TooManyQubes,  // more blocks than the world has entity ids for
    BadQube,       // a record with a non-positive scale or a zero rotation
};

struct MapReadResult {
    MapReadStatus status = MapReadStatus::Ok;
    // Empty when the map is valid; otherwise one line saying what is wrong.
    std::string problem;
    // The blocks in file order; always empty unless the map is valid.
    std::vector<QubeRecord> qubes;

    bool ok() const { return status == MapReadStatus::Ok; }
};

enum class MapWriteStatus {
    Ok,
    InvalidValue, // a position, scale or rotation that is not a finite number
    CannotWrite,  // the file could not be written; the old file is unchanged
    MissingQube,  // a block of the map has no transform to save; the old file is unchanged
};

struct MapWriteResult {
    MapWriteStatus status = MapWriteStatus::Ok;
    // Empty on success; otherwise one line saying what went wrong.
    std::string problem;

    bool ok() const { return status == MapWriteStatus::Ok; }
};

namespace MapFile {

constexpr uint64_t kHeaderSize = 10;
constexpr uint64_t kRecordSize = 40;
// Capacity of the writer's buffer before it first grows.
constexpr uint64_t kInitialWriteCapacity = 102400;

// The largest map a file may hold: one block per entity id that can carry components.
uint32_t maxQubes();

// Decodes the content of `bytes` (its getLength() bytes). Trailing bytes after the last
// record are ignored. Decoded rotations are unit quaternions: a stored rotation that is not of
// unit length (beyond what the number coding explains) is normalised.
MapReadResult read(const Engine::ByteBuffer& bytes);

// Reads the file at `path` whole and decodes it as read() does.
MapReadResult readFile(const std::filesystem::path& path);

// Encodes `qubes` in order into `out` from its start; out.getLength() is then the file size.
// Positions and scales beyond +-21474836.47 are clamped, scales are stored as their magnitude
// and at least 0.01 (so every saved block reads back), a zero rotation as the identity (which
// is how it is drawn). Any value that is not finite refuses the whole map (InvalidValue).
MapWriteResult encode(const std::vector<QubeRecord>& qubes, Engine::ByteBuffer& out);

// Encodes `qubes` and replaces the file at `path` atomically (engine/fileutil/atomicwrite.h).
MapWriteResult writeFile(const std::filesystem::path& path, const std::vector<QubeRecord>& qubes);

} // namespace MapFile
} // namespace Game
