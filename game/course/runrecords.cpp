#include "game/course/runrecords.h"

#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"
#include "engine/fileutil/fileutil.h"
#include "engine/fileutil/gamefolders.h"
#include "game/course/checksum.h"
#include "game/course/coursefile.h"

#include <cstdlib>
#include <system_error>

namespace Game::RunRecords {
namespace {

namespace fs = std::filesystem;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

fs::path folder()
{
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome.front() == '/')
        return fs::path(dataHome) / Engine::kGameFolderName / "records";
    const std::string home = environment("HOME");
    if (home.empty())
        return {};
    return fs::path(home) / ".local" / "share" / Engine::kGameFolderName / "records";
}

uint64_t courseKey(const Course& course, uint64_t mapChecksum)
{
    CourseDocument document;
    document.course = course;
    document.mapChecksum = mapChecksum;
    return Checksum::fnv1a64(CourseFile::encode(document));
}

fs::path pathFor(const fs::path& folder, uint64_t key)
{
    return folder / (Checksum::toHex(key) + ".record");
}

std::optional<RunRecord> load(const fs::path& folder, uint64_t key)
{
    const fs::path path = pathFor(folder, key);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return std::nullopt;
    const uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    std::string bytes;
    std::string problem;
    if (ec || size == 0 || size > RunRecordFile::kMaxFileBytes || !Engine::readFileBytes(path, bytes))
        problem = "cannot be read, or empty, or larger than 16 MiB";
    RunRecordReadResult result = problem.empty() ? RunRecordFile::decode(bytes) : RunRecordReadResult{problem, {}};
    if (result.ok() && result.record.courseKey != key)
        result.problem = "belongs to another course";
    if (!result.ok()) {
        Engine::logLine("RECORD IGNORED: " + path.u8string() + ": " + result.problem);
        return std::nullopt;
    }
    return std::move(result.record);
}

bool storeIfBest(const fs::path& folder, const RunRecord& record)
{
    const std::optional<RunRecord> best = load(folder, record.courseKey);
    if (best && best->times.total <= record.times.total)
        return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string bytes = RunRecordFile::encode(record);
    std::string problem;
    if (ec || !Engine::writeFileAtomically(pathFor(folder, record.courseKey), bytes.data(), bytes.size(), &problem)) {
        Engine::logLine("RECORD NOT SAVED: " + pathFor(folder, record.courseKey).u8string() + ": "
                        + (ec ? ec.message() : problem));
        return false;
    }
    return true;
}

} // namespace Game::RunRecords
