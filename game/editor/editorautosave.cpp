#include "game/editor/editorautosave.h"

#include "engine/bytebuffer/bytebuffer.h"
#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"
#include "game/course/checksum.h"
#include "game/course/coursefile.h"

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

bool EditorAutosave::write(const std::vector<QubeRecord>& blocks, const std::filesystem::path& userFile,
                           const Course& course)
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
    if (!rotate(slots))
        return false;
    std::string problem;
    if (!Engine::writeFileAtomically(slots.front(), bytes.data(), bytes.getLength(), &problem))
        return fail(problem);
    Engine::logLine("AUTOSAVE " + slots.front().u8string());
    writeCourse(slots.front(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.getLength()), course);
    return true;
}

bool EditorAutosave::rotate(const std::vector<std::filesystem::path>& slots)
{
    // Oldest first, each backup takes the next older name (a rename replaces what was there);
    // a course goes with its map, and a map without one leaves none of the older name behind.
    std::error_code error;
    for (std::size_t i = slots.size() - 1; i > 0; --i) {
        if (!std::filesystem::exists(slots[i - 1], error))
            continue;
        std::filesystem::rename(slots[i - 1], slots[i], error);
        if (error)
            return fail("cannot rename " + slots[i - 1].u8string() + ": " + error.message());
        const std::filesystem::path from = CourseFile::pathFor(slots[i - 1]);
        const std::filesystem::path to = CourseFile::pathFor(slots[i]);
        if (std::filesystem::exists(from, error))
            std::filesystem::rename(from, to, error);
        else
            std::filesystem::remove(to, error);
        if (error)
            Engine::logLine("AUTOSAVE: the course of " + slots[i].u8string() + " is lost: " + error.message());
    }
    return true;
}

void EditorAutosave::writeCourse(const std::filesystem::path& mapPath, std::string_view mapBytes, const Course& course)
{
    const std::filesystem::path path = CourseFile::pathFor(mapPath);
    std::string problem;
    if (course.empty()) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return;
    }
    const CourseDocument document{course, mapPath.stem().u8string(), std::string(), Checksum::fnv1a64(mapBytes)};
    if (!CourseFile::writeFile(path, document, &problem))
        Engine::logLine("AUTOSAVE: the course is not backed up: " + problem);
}

} // namespace Game
