#include "game/editor/editorautosave.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"

#include <string>
#include <system_error>
#include <utility>

namespace Game {

EditorAutosave::EditorAutosave(MapFolderFinder findMapFolder) : findMapFolder(std::move(findMapFolder)) {}

bool EditorAutosave::due(bool unsavedChanges)
{
    if (!unsavedChanges) {
        ticks = 0;
        return false;
    }
    if (++ticks < kIntervalTicks)
        return false;
    ticks = 0;
    return true;
}

std::filesystem::path EditorAutosave::slotPath(const std::filesystem::path& folder, int slot)
{
    return folder / ("autosave-" + std::to_string(slot) + ".rmap");
}

bool EditorAutosave::fail(const std::string& why)
{
    Engine::logLine("AUTOSAVE FAILED: " + why);
    return false;
}

bool EditorAutosave::write(const std::vector<QubeRecord>& blocks, const std::filesystem::path& userFile)
{
    std::filesystem::path mapFolder;
    if (!findMapFolder || !findMapFolder(mapFolder))
        return fail("no map folder");
    const std::filesystem::path folder = mapFolder / kFolderName;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error))
        return fail("cannot make " + folder.u8string());

    Engine::ByteBuffer bytes(MapFile::kInitialWriteCapacity);
    const MapWriteResult encoded = MapFile::encode(blocks, bytes);
    if (!encoded.ok())
        return fail(encoded.problem);

    // The backup names in use, newest first, without the user's own file.
    const std::filesystem::path ownFile =
        userFile.empty() ? std::filesystem::path() : Engine::resolvedPath(userFile);
    std::vector<std::filesystem::path> slots;
    for (int slot = 1; slot <= kSlots; ++slot) {
        std::filesystem::path path = slotPath(folder, slot);
        if (ownFile.empty() || Engine::resolvedPath(path) != ownFile)
            slots.push_back(std::move(path));
    }
    // Oldest first, each backup takes the next older name (a rename replaces what was there).
    for (std::size_t i = slots.size() - 1; i > 0; --i) {
        if (!std::filesystem::exists(slots[i - 1], error))
            continue;
        std::filesystem::rename(slots[i - 1], slots[i], error);
        if (error)
            return fail("cannot rename " + slots[i - 1].u8string() + ": " + error.message());
    }
    std::string problem;
    if (!Engine::writeFileAtomically(slots.front(), bytes.data(), bytes.getLength(), &problem))
        return fail(problem);
    Engine::logLine("AUTOSAVE " + slots.front().u8string());
    return true;
}

} // namespace Game
