#pragma once
// Backups of the map being edited. Two minutes after the first unsaved change, and every two
// minutes while changes remain, the blocks are written to the folder "autosave" inside the user
// map folder as "autosave-1.rmap" (the newest) to "autosave-5.rmap" (the oldest): the older
// backups move one number up and the fifth goes. Each file is replaced atomically, a file the
// user saved is never touched, and a backup that fails says so in one console line and leaves
// the editing alone. A map with gates gets its course beside each backup ("autosave-N.course",
// moving up with it), tied to the backup's bytes as a saved course is. Time is counted in the game's own updates, so a paused game, a slow frame
// or a test all count the same.
#include "engine/fileutil/fileutil.h"
#include "game/course/course.h"
#include "game/gamemap/mapfile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace Game {

class EditorAutosave {
public:
    // Two minutes of 10 ms updates.
    static constexpr std::uint32_t kIntervalTicks = 12000;
    static constexpr int kSlots = 5;
    static constexpr const char* kFolderName = "autosave";

    // Finds (and makes, if missing) the user map folder; false when there is none.
    using MapFolderFinder = Engine::MapFolderFinder;

    explicit EditorAutosave(MapFolderFinder findMapFolder);

    // One editor update. Counts while the map has unsaved changes and starts again from zero
    // whenever it has none; answers true when a backup is due in this update (counting then
    // starts again).
    bool due(bool unsavedChanges);

    // Writes `blocks` as the newest backup, after moving the older ones up. `userFile`, the file
    // the map was last saved to or loaded from, is never renamed, replaced or removed: when it is
    // one of the backup names, the rotation passes over it. Prints "AUTOSAVE " and the file, or
    // "AUTOSAVE FAILED: " and why; answers whether the backup was written.
    bool write(const std::vector<QubeRecord>& blocks, const std::filesystem::path& userFile,
               const Course& course = Course());

    // "autosave-N.rmap" in `folder`, N from 1 to kSlots.
    static std::filesystem::path slotPath(const std::filesystem::path& folder, int slot);

private:
    bool fail(const std::string& why);
    // Moves every backup and its course one name older; false (having said why) when a map
    // cannot be moved.
    bool rotate(const std::vector<std::filesystem::path>& slots);
    // The course of the newest backup whose bytes are `mapBytes`, or no course file for none.
    void writeCourse(const std::filesystem::path& mapPath, std::string_view mapBytes, const Course& course);

    MapFolderFinder findMapFolder;
    std::uint32_t ticks = 0;
};

} // namespace Game
