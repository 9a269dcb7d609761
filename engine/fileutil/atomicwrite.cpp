#include "engine/fileutil/atomicwrite.h"

#include <cerrno>
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

bool writeAll(int fd, const uint8_t* bytes, uint64_t count)
{
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<uint64_t>(written);
    }
    return true;
}

// Makes the folder's entry for a renamed file durable. File systems that cannot sync a folder
// say EINVAL; there is nothing more to do on them.
bool syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

bool replaceFile(const fs::path& target, const void* bytes, uint64_t count, std::string* error)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(error, systemError("cannot create a temporary file in", folder));
    const fs::path temp = pattern;

    std::string problem;
    if (::fchmod(fd, newFileMode(target)) != 0)
        problem = systemError("cannot set the permissions of", temp);
    else if (!writeAll(fd, static_cast<const uint8_t*>(bytes), count))
        problem = systemError("cannot write", temp);
    else if (::fsync(fd) != 0)
        problem = systemError("cannot sync", temp);
    if (::close(fd) != 0 && problem.empty())
        problem = systemError("cannot close", temp);
    if (problem.empty() && ::rename(temp.c_str(), target.c_str()) != 0)
        problem = systemError("cannot replace", target);
    if (!problem.empty()) {
        ::unlink(temp.c_str());
        return fail(error, problem);
    }
    if (!syncFolder(folder))
        return fail(error, systemError("cannot sync the folder", folder));
    return true;
}

#endif

} // namespace

bool writeFileAtomically(const fs::path& path, const void* bytes, uint64_t count, std::string* error)
{
    if (path.empty() || !path.has_filename())
        return fail(error, "no file name given");
    return replaceFile(resolveTarget(path), bytes, count, error);
}

} // namespace Engine
