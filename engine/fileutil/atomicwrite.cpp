#include "engine/fileutil/atomicwrite.h"

#include "engine/core/log.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Engine {
namespace {

namespace fs = std::filesystem;

bool fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what;
    return false;
}

// The file that writing to `path` must replace: the target of a symbolic link, else `path`.
fs::path resolveTarget(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path target = fs::weakly_canonical(path, ec);
        if (!ec)
            return target;
    }
    return path;
}

// A file its owner may not write was made read-only on purpose, and a rename would replace it
// anyway. The mode bits tell, not access(): for root every file is writable.
bool isReadOnly(const fs::file_status& status)
{
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

#ifdef _WIN32

bool replaceFile(const fs::path& target, const void* bytes, uint64_t count, std::string* error)
{
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file)
            return fail(error, "cannot create " + temp.string());
        file.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(count));
        file.flush();
        if (!file) {
            file.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return fail(error, "cannot write " + temp.string());
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return fail(error, "cannot replace " + target.string() + ": " + ec.message());
    }
    return true;
}

#else

std::string systemError(const std::string& what, const fs::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// Permission bits for the new file: those of the file it replaces, else the usual ones for a
// new file under the process's umask.
mode_t newFileMode(const fs::path& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes all `count` bytes to `fd`. False, with `problem` set, when a write fails or makes no
// progress (a write of nothing sets no errno, so none is quoted then).
bool writeAll(int fd, const uint8_t* bytes, uint64_t count, const fs::path& path, std::string& problem)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            problem = systemError("cannot write", path);
            return false;
        }
        if (written == 0) {
            problem = "cannot write " + path.string() + ": nothing was written";
            return false;
        }
        bytes += written;
        count -= static_cast<uint64_t>(written);
    }
    return true;
}

// Leftover age after which a temporary file cannot belong to a replace still in progress.
constexpr auto kLeftoverAge = std::chrono::minutes(1);

// True for the names mkostemp gives this writer's temporary files for the file `name`:
// "." + name + ".tmp-" and six letters or digits.
bool isTemporaryName(const std::string& candidate, const std::string& name)
{
    const std::string prefix = "." + name + ".tmp-";
    constexpr size_t kRandomPart = 6;
    if (candidate.size() != prefix.size() + kRandomPart || candidate.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < candidate.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(candidate[i])))
            return false;
    }
    return true;
}

// Removes the temporary files that earlier replaces of `target` left behind when they were cut
// short (a crash, a kill), so they do not pile up beside it. Only this writer's names for this
// one file count, and only files older than a minute: a younger one may be another process's
// replace in progress. Anything that cannot be listed or removed is left alone.
void removeLeftovers(const fs::path& folder, const fs::path& target)
{
    const std::string name = target.filename().string();
    const auto cutoff = fs::file_time_type::clock::now() - kLeftoverAge;
    std::error_code ec;
    for (fs::directory_iterator entry(folder, ec), end; !ec && entry != end; entry.increment(ec)) {
        if (!isTemporaryName(entry->path().filename().string(), name))
            continue;
        std::error_code entryError;
        if (!entry->is_regular_file(entryError) || entry->is_symlink(entryError))
            continue;
        const auto modified = entry->last_write_time(entryError);
        if (!entryError && modified < cutoff)
            fs::remove(entry->path(), entryError);
    }
}

// Makes the folder's entry for a renamed file durable. File systems that cannot sync a folder
// say EINVAL; there is nothing more to do on them.
bool syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int syncError = errno;
    ::close(fd);
    errno = syncError;
    return synced;
}

bool syncToDisk(int fd, const fs::path&)
{
    return ::fsync(fd) == 0;
}

bool replaceFile(const fs::path& target, const void* bytes, uint64_t count, std::string* error,
                 const FileSync& sync)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    removeLeftovers(folder, target);
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(error, systemError("cannot create a temporary file in", folder));
    const fs::path temp = pattern;

    std::string problem;
    if (::fchmod(fd, newFileMode(target)) != 0)
        problem = systemError("cannot set the permissions of", temp);
    else if (writeAll(fd, static_cast<const uint8_t*>(bytes), count, temp, problem) && !sync(fd, temp))
        problem = systemError("cannot sync", temp);
    if (::close(fd) != 0 && problem.empty())
        problem = systemError("cannot close", temp);
    if (problem.empty() && ::rename(temp.c_str(), target.c_str()) != 0)
        problem = systemError("cannot replace", target);
    if (!problem.empty()) {
        ::unlink(temp.c_str());
        return fail(error, problem);
    }
    // The new content has its name now: that is the success to report, whatever the folder
    // sync says. Only its durability across a system crash is then in doubt.
    if (!syncFolder(folder))
        logLine("WARNING: " + target.string() + " is written, but its durability could not be confirmed ("
                + systemError("cannot sync the folder", folder) + ")");
    return true;
}

#endif

// The file that writing to `path` replaces, in `target`; false, with `error` set, when it is
// not one this writer may replace.
bool replaceableTarget(const fs::path& path, fs::path& target, std::string* error)
{
    if (path.empty() || !path.has_filename())
        return fail(error, "no file name given");
    target = resolveTarget(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    const fs::file_type type = status.type();
    if (type != fs::file_type::regular && type != fs::file_type::not_found) {
        if (ec)
            return fail(error, "cannot reach " + target.string() + ": " + ec.message());
        return fail(error, target.string() + " is not a regular file");
    }
    if (type == fs::file_type::regular && isReadOnly(status))
        return fail(error, target.string() + " is read-only and was left as it is");
    return true;
}

} // namespace

#ifdef _WIN32

bool writeFileAtomically(const fs::path& path, const void* bytes, uint64_t count, std::string* error)
{
    fs::path target;
    return replaceableTarget(path, target, error) && replaceFile(target, bytes, count, error);
}

#else

bool writeFileAtomically(const fs::path& path, const void* bytes, uint64_t count, std::string* error,
                         const FileSync& sync)
{
    fs::path target;
    return replaceableTarget(path, target, error) && replaceFile(target, bytes, count, error, sync);
}

bool writeFileAtomically(const fs::path& path, const void* bytes, uint64_t count, std::string* error)
{
    return writeFileAtomically(path, bytes, count, error, syncToDisk);
}

#endif

} // namespace Engine
