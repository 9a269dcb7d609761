#pragma once
// The course file beside a map the editor loads or saves (NAME.course beside NAME.rmap). The map
// is read once, so the course it loads with belongs to exactly the bytes its blocks come from; a
// saved map's course records the checksum of the bytes just written. A map without gates leaves
// no course file behind.
#include "game/course/coursefile.h"
#include "game/gamemap/gamemap.h"

#include <filesystem>
#include <optional>
#include <string>

namespace Game::EditorCourseFiles {

struct MapAndCourse {
    MapLoadResult map;
    // The course whose checksum matches the map's bytes; none for free play (a console line
    // says why when a course file was there).
    std::optional<CourseDocument> course;
};

// Reads the map at `path` and the course that belongs to its bytes.
MapAndCourse load(const std::filesystem::path& path);

// After the map at `mapPath` was written: writes its course atomically with the checksum of the
// map's bytes, the map's name (the file's stem) and `author`, or with no gates removes a course
// file left from before. Prints "COURSE SAVED: ", "COURSE REMOVED: " or "COURSE NOT SAVED: "
// and why; false when the course could not be written or the old one not removed.
bool save(const std::filesystem::path& mapPath, const Course& course, const std::string& author);

// Who a new course is by: the user's login name, or empty.
std::string defaultAuthor();

} // namespace Game::EditorCourseFiles
