#include "game/editor/editorcoursefiles.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"
#include "game/course/checksum.h"
#include "game/gamemap/mapfile.h"

#include <cstdlib>
#include <system_error>

namespace Game::EditorCourseFiles {
namespace fs = std::filesystem;

namespace {

// The whole map file, or none when it cannot be read or is larger than any map.
std::optional<std::string> readMapBytes(const fs::path& path)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    std::string bytes;
    if (error || size > MapFile::kHeaderSize + MapFile::kRecordSize * MapFile::maxQubes()
        || !Engine::readFileBytes(path, bytes))
        return std::nullopt;
    return bytes;
}

bool removeStale(const fs::path& coursePath)
{
    std::error_code error;
    if (!fs::exists(fs::symlink_status(coursePath, error)))
        return true;
    if (!fs::remove(coursePath, error) || error) {
        Engine::logLine("COURSE NOT SAVED: " + coursePath.u8string() + ": the old course file cannot be removed ("
                        + error.message() + ")");
        return false;
    }
    Engine::logLine("COURSE REMOVED: " + coursePath.u8string());
    return true;
}

} // namespace

MapAndCourse load(const fs::path& path)
{
    const std::optional<std::string> bytes = readMapBytes(path);
    MapAndCourse loaded{bytes ? GameMap::load(Engine::ByteBuffer::fromBytes(bytes->data(), bytes->size()))
                              : MapLoadResult{MapReadStatus::CannotOpen, "cannot be opened", {}},
                        std::nullopt};
    if (!loaded.map.ok()) {
        Engine::logLine("MAP NOT LOADED: " + path.u8string() + ": " + loaded.map.problem);
        return loaded;
    }
    loaded.course = CourseFile::loadFor(path, Checksum::fnv1a64(*bytes));
    return loaded;
}

bool save(const fs::path& mapPath, const Course& course, const std::string& author)
{
    const fs::path coursePath = CourseFile::pathFor(mapPath);
    if (course.empty())
        return removeStale(coursePath);
    const std::optional<uint64_t> checksum = CourseFile::mapChecksum(mapPath);
    if (!checksum) {
        Engine::logLine("COURSE NOT SAVED: " + coursePath.u8string() + ": the map just written cannot be read back");
        return false;
    }
    CourseDocument document{course, mapPath.stem().u8string(), author, *checksum};
    std::string problem;
    if (!CourseFile::writeFile(coursePath, document, &problem)) {
        Engine::logLine("COURSE NOT SAVED: " + coursePath.u8string() + ": " + problem);
        return false;
    }
    Engine::logLine("COURSE SAVED: " + coursePath.u8string() + " (" + course.summary() + ")");
    return true;
}

std::string defaultAuthor()
{
    const char* user = std::getenv("USER");
    return user ? CourseFile::storableName(user) : std::string();
}

} // namespace Game::EditorCourseFiles
