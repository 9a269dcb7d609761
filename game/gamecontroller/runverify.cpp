#include "game/gamecontroller/runverify.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"
#include "engine/fileutil/gamefolders.h"
#include "game/course/checksum.h"
#include "game/course/coursefile.h"
#include "game/course/runclock.h"
#include "game/course/runrecords.h"
#include "game/gamecontroller/runreplay.h"
#include "game/gamemap/gamemap.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace Game::RunVerify {
namespace {

namespace fs = std::filesystem;

// Files above this size are no record and no map the game would load.
constexpr uintmax_t kMaxMapBytes = 64u * 1024u * 1024u;

std::string timeOf(uint32_t steps)
{
    return std::string(RunClock::format(steps).view()) + " (" + std::to_string(steps) + " steps)";
}

// The whole file at `path` when it is a regular file of at most `limit` bytes.
std::optional<std::string> readSmallFile(const fs::path& path, uintmax_t limit)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > limit || error)
        return std::nullopt;
    std::string bytes;
    if (!Engine::readFileBytes(path, bytes))
        return std::nullopt;
    return bytes;
}

// The course key of the map at `mapPath` with the course beside it; none without a course made
// for its bytes.
std::optional<uint64_t> keyOf(const fs::path& mapPath)
{
    const std::optional<uint64_t> checksum = CourseFile::mapChecksum(mapPath);
    const CourseReadResult course = CourseFile::readFile(CourseFile::pathFor(mapPath));
    if (!checksum || !course.ok() || course.document.mapChecksum != *checksum)
        return std::nullopt;
    return RunRecords::courseKey(course.document.course, *checksum);
}

// The maps directly in `folder`, by name, so that the search is the same on every system.
std::vector<fs::path> mapsIn(const fs::path& folder)
{
    std::vector<fs::path> maps;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".rmap" && fs::exists(CourseFile::pathFor(it->path()), error))
            maps.push_back(it->path());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

// "VERIFY: MISMATCH: ..." for a replay that does not give the record's times; empty when it does.
std::string mismatchOf(const RunTimes& stored, const RunReplay::Result& replayed)
{
    if (!replayed.finished)
        return "the replay did not reach the finish in the record's " + std::to_string(replayed.stepsPlayed) + " steps";
    if (replayed.times.total != stored.total)
        return "the record says " + timeOf(stored.total) + ", the replay finished in " + timeOf(replayed.times.total);
    for (size_t i = 0; i < stored.splits.size() && i < replayed.times.splits.size(); ++i) {
        if (stored.splits[i] != replayed.times.splits[i])
            return "checkpoint " + std::to_string(i + 1) + ": the record says " + timeOf(stored.splits[i])
                 + ", the replay " + timeOf(replayed.times.splits[i]);
    }
    if (stored.splits.size() != replayed.times.splits.size())
        return "the record has " + std::to_string(stored.splits.size()) + " splits, the replay "
             + std::to_string(replayed.times.splits.size());
    return {};
}

int refuse(const std::string& line)
{
    Engine::logLine("VERIFY: cannot verify: " + line);
    return kCannotVerify;
}

} // namespace

std::vector<fs::path> searchFolders()
{
    std::vector<fs::path> folders{Engine::locateGameFolders().file("data/courses")};
    fs::path maps;
    if (Engine::getUserMapFolder(maps))
        folders.push_back(maps);
    return folders;
}

std::optional<fs::path> findMap(uint64_t key, const std::vector<fs::path>& folders)
{
    for (const fs::path& folder : folders) {
        for (const fs::path& map : mapsIn(folder)) {
            if (keyOf(map) == key)
                return map;
        }
    }
    return std::nullopt;
}

int verify(const fs::path& recordPath, const fs::path& mapPath)
{
    const std::optional<std::string> bytes = readSmallFile(recordPath, RunRecordFile::kMaxFileBytes);
    if (!bytes)
        return refuse(recordPath.u8string() + ": no record file, or larger than 16 MiB");
    const RunRecordReadResult read = RunRecordFile::decode(*bytes);
    if (!read.ok())
        return refuse(recordPath.u8string() + ": " + read.problem);
    const RunRecord& record = read.record;
    Engine::logLine("RECORD: " + recordPath.u8string() + ": " + timeOf(record.times.total) + ", course key "
                    + Checksum::toHex(record.courseKey));

    const std::optional<fs::path> map = mapPath.empty() ? findMap(record.courseKey, searchFolders()) : mapPath;
    if (!map)
        return refuse("no map with its course among the shipped courses and the user's maps gives key "
                      + Checksum::toHex(record.courseKey) + "; name the map: --verify RECORD MAP.rmap");
    const std::optional<std::string> mapBytes = readSmallFile(*map, kMaxMapBytes);
    const MapLoadResult blocks = mapBytes ? GameMap::load(Engine::ByteBuffer::fromBytes(mapBytes->data(), mapBytes->size()))
                                          : MapLoadResult{MapReadStatus::CannotOpen, "cannot be opened", {}};
    if (!blocks.ok())
        return refuse(map->u8string() + ": " + blocks.problem);
    const uint64_t checksum = Checksum::fnv1a64(*mapBytes);
    const CourseReadResult course = CourseFile::readFile(CourseFile::pathFor(*map));
    if (!course.ok())
        return refuse(CourseFile::pathFor(*map).u8string() + ": " + course.problem);
    if (course.document.mapChecksum != checksum || RunRecords::courseKey(course.document.course, checksum) != record.courseKey)
        return refuse(map->u8string() + ": this map and its course are not the ones the record was made on");
    Engine::logLine("MAP: " + map->u8string());

    const RunReplay::Result replayed = RunReplay::replay(blocks.qubes, course.document.course, record);
    if (!replayed.ok())
        return refuse(recordPath.u8string() + ": " + replayed.problem);
    Engine::logLine("REPLAYED: " + timeOf(replayed.times.total) + (replayed.finished ? "" : ", not finished"));
    const std::string mismatch = mismatchOf(record.times, replayed);
    if (!mismatch.empty()) {
        Engine::logLine("VERIFY: MISMATCH: " + mismatch);
        return kMismatch;
    }
    Engine::logLine("VERIFY: matches");
    return kMatches;
}

} // namespace Game::RunVerify
