#pragma once
// Backups of the map being edited. Two minutes after the first unsaved change, and every two
// minutes while changes remain, the blocks are written to the folder "autosave" inside the user
// map folder as "autosave-1.rmap" (the newest) to "autosave-5.rmap" (the oldest): the older
// backups move one number up and the fifth goes. Each file is replaced atomically, a file the
// user saved is never touched, and a backup that fails says so in one console line and leaves
// the editing alone. Time is counted in the game's own updates, so a paused game, a slow frame
// or a test all count the same.
#include "engine/fileutil/fileutil.h"
#include "game/gamemap/mapfile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
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
    bool write(const std::vector<QubeRecord>& blocks, const std::filesystem::path& userFile);

    // "autosave-N.rmap" in `folder`, N from 1 to kSlots.
    static std::filesystem::path slotPath(const std::filesystem::path& folder, int slot);

private:
    bool fail(const std::string& why);

    MapFolderFinder findMapFolder;
    std::uint32_t ticks = 0;
};

} // namespace Game
