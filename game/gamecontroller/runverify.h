#pragma once
// `tetherix-autoplay --verify RECORD [MAP.rmap]`: re-plays a stored best run headless on the map
// and course it belongs to and says whether it reproduces the stored time and splits. Without a
// map path the map is looked for among the shipped courses and in the user's map folder: the one
// whose course, with its map bytes, gives the record's key.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace Game::RunVerify {

// Process status: the replay matches the record.
constexpr int kMatches = 0;
// The replay gives another time or other splits, or does not finish.
constexpr int kMismatch = 1;
// The record, its map or its course cannot be found or read.
constexpr int kCannotVerify = 2;

// The folders searched for a record's map: the shipped courses, then the user's map folder.
std::vector<std::filesystem::path> searchFolders();

// The first NAME.rmap directly in one of `folders` whose NAME.course, made for its bytes, gives
// the course key `key`; none when no map does.
std::optional<std::filesystem::path> findMap(uint64_t key, const std::vector<std::filesystem::path>& folders);

// Re-plays the record at `recordPath` on `mapPath` (found through searchFolders() when empty) and
// prints what it finds: the stored time, the map, the replayed time and "VERIFY: matches" or a
// "VERIFY: MISMATCH" line saying how they differ. Answers one of the statuses above.
int verify(const std::filesystem::path& recordPath, const std::filesystem::path& mapPath);

} // namespace Game::RunVerify
