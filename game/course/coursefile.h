#pragma once
// Reading and writing NAME.course, the text file beside NAME.rmap that holds the map's course.
// The .rmap format stays as it is; a course belongs to the exact map bytes whose checksum it
// records. One item a line, numbers in decimal, "#" lines and blank lines ignored:
//   tetherix course 1
//   map NAME
//   author NAME
//   map-checksum fnv1a64 HEX16          (FNV-1a 64 of the .rmap file's bytes)
//   start CX CY CZ HX HY HZ QW QX QY QZ (centre, half extents, rotation)
//   checkpoint N CX CY CZ HX HY HZ QW QX QY QZ
//   finish CX CY CZ HX HY HZ QW QX QY QZ
// Readers never trust the file: anything that is not a complete, sensible course is refused
// whole with a reason, and the map is then played without a course.
#include "game/course/course.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace Game {

struct CourseDocument {
    Course course;
    std::string mapName;
    std::string author;
    uint64_t mapChecksum = 0;
};

struct CourseReadResult {
    // Empty when the course is valid; otherwise one line saying what is wrong.
    std::string problem;
    // Only meaningful when ok().
    CourseDocument document;

    bool ok() const { return problem.empty(); }
};

namespace CourseFile {

// Larger files are refused unread: 256 gates take about 30 KiB.
constexpr uint64_t kMaxFileBytes = 64 * 1024;
// Map names and author names are at most this many bytes, without control characters.
constexpr size_t kMaxNameBytes = 128;
// Gate centres lie within this distance of the origin on each axis (the map file's range).
constexpr float kMaxCoordinate = 21474836.0f;
// Gate half extents lie in (0, kMaxHalfExtent].
constexpr float kMaxHalfExtent = 100000.0f;

// Decodes course text. Checkpoint numbers with gaps are closed up in their order; two
// checkpoints with one number, a second start or finish, or more than Course::kMaxGates gates
// refuse the file. Rotations are normalised.
CourseReadResult read(std::string_view text);
// Reads the file at `path` (at most kMaxFileBytes) and decodes it as read() does.
CourseReadResult readFile(const std::filesystem::path& path);

// `name` made storable: control characters become spaces, the ends are trimmed and it is cut
// to kMaxNameBytes at a character boundary.
std::string storableName(std::string_view name);
// The text of `document`, names made storable. Empty, with `problem` set, when a gate has a
// value the reader would refuse (not finite, out of range, a zero rotation).
std::string encode(const CourseDocument& document, std::string* problem = nullptr);
// Encodes `document` and replaces the file at `path` atomically; false with `problem` set when
// it cannot be encoded or written (the old file is then unchanged).
bool writeFile(const std::filesystem::path& path, const CourseDocument& document, std::string* problem = nullptr);

// FNV-1a 64 of the whole regular file at `path` (the map's bytes that a course belongs to),
// read in pieces; none when it cannot be read.
std::optional<uint64_t> mapChecksum(const std::filesystem::path& path);

// NAME.course beside the map file NAME.rmap.
std::filesystem::path pathFor(const std::filesystem::path& mapPath);

// The course of the map at `mapPath` whose bytes hash to `mapChecksum`: none, silently, when
// there is no course file; none with a console line when it is refused or belongs to other map
// bytes, so that the map is played freely; the document with a console line when it loads.
std::optional<CourseDocument> loadFor(const std::filesystem::path& mapPath, uint64_t mapChecksum);

} // namespace CourseFile
} // namespace Game
