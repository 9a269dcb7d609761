#pragma once
// The best run of each course, one file a course in the user's records folder:
// $XDG_DATA_HOME/tetherix/records/ (else ~/.local/share/tetherix/records/). A record is keyed
// by the checksum of the map and the course, so an edited map or course starts a fresh record.
// Files are replaced atomically; a damaged one is ignored with a console line.
#include "game/course/course.h"
#include "game/course/runrecord.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace Game::RunRecords {

// The records folder; empty when neither XDG_DATA_HOME (an absolute path) nor HOME is set.
std::filesystem::path folder();

// The key of `course` on the map whose bytes hash to `mapChecksum`: FNV-1a 64 of the course's
// gates as its file writes them, with that checksum and no names, so renaming changes nothing.
uint64_t courseKey(const Course& course, uint64_t mapChecksum);

// KEY.record (the key in 16 hex digits) in `folder`.
std::filesystem::path pathFor(const std::filesystem::path& folder, uint64_t key);

// The stored best run of `key` in `folder`; none without one, and none with a console line
// when the file is damaged or belongs to another key.
std::optional<RunRecord> load(const std::filesystem::path& folder, uint64_t key);

// Stores `record` as the best of its course in `folder` (created when missing) when it is
// faster than the stored one or there is none usable. True when it was stored; false, with a
// console line when it could not be written, or silently when it was no improvement.
bool storeIfBest(const std::filesystem::path& folder, const RunRecord& record);

} // namespace Game::RunRecords
