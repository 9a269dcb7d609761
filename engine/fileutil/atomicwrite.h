#pragma once
// Replacing a file so that it is never lost: the new content goes to a temporary file beside
// the old one, is flushed to the disk, and only then takes the old file's name in one step.
#include <cstdint>
#include <filesystem>
#include <string>

namespace Engine {

// Replaces the file at `path` (or creates it) with the `count` bytes at `bytes`: writes them to
// a temporary file in the same folder, checking every write, syncs and closes it, renames it
// over `path` and syncs the folder. A symbolic link at `path` keeps pointing at the file it
// names, which is the one replaced. True only when every step succeeded. On failure the old
// file is untouched, the temporary file is removed and `error` (if given) receives one line
// saying what went wrong.
bool writeFileAtomically(const std::filesystem::path& path, const void* bytes, uint64_t count,
                         std::string* error = nullptr);

} // namespace Engine
