#pragma once
// Replacing a file so that it is never lost: the new content goes to a temporary file beside
// the old one, is flushed to the disk, and only then takes the old file's name in one step.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace Engine {

// Replaces the regular file at `path` (or creates it) with the `count` bytes at `bytes`: writes
// them to a temporary file in the same folder ("." + name + ".tmp-" + six random letters or
// digits), checking every write, syncs and closes it, renames it over `path` and syncs the
// folder. A symbolic link at `path` keeps pointing at the file it names, which is the one
// replaced; anything else that is not a regular file (a folder, a device, a pipe) is refused,
// and so is a read-only file (one without the owner's write permission).
//
// True once the new content has taken the name. If only the folder sync after that fails, it
// is still true, and a console line warns that the file may not survive a system crash.
// On failure the old file is untouched, the temporary file is removed and `error` (if given)
// receives one line saying what went wrong.
//
// Temporary files of this writer for the same file that are older than a minute (left by a
// replace cut short by a crash or a kill) are removed on the way.
bool writeFileAtomically(const std::filesystem::path& path, const void* bytes, uint64_t count,
                         std::string* error = nullptr);

#ifndef _WIN32
// Flushes what was written to the open file `fd`, the temporary file `temp`, to the disk: true
// when done, else false with errno set. The writer's own is fsync; tests hand in theirs.
using FileSync = std::function<bool(int fd, const std::filesystem::path& temp)>;

// writeFileAtomically with `sync` flushing the temporary file before the rename.
bool writeFileAtomically(const std::filesystem::path& path, const void* bytes, uint64_t count,
                         std::string* error, const FileSync& sync);
#endif

} // namespace Engine
