#pragma once
// The editor's file commands: "New" empties the map, "Load" and "Save" open the file browser in
// the user map folder and read or write .rmap files there, with their confirm dialogs, console
// lines and pop-ups. The map in the world changes only after a good read, and "Map Saved" is
// said only after a complete, good write. Replacing a map that has unsaved changes asks first
// (one question: New and Load each with its own text, anything else "Discard unsaved
// changes?"); a map without changes is replaced at once.
#include "engine/ecs/entitymanager.h"
#include "engine/fileutil/fileutil.h"
#include "game/course/coursefile.h"

#include <glm/vec2.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace Engine {
class EngineCore;
}

namespace Game {

class EditorPlayer;
class GameMap;
class MenuBuilder;
class RenderResources;

class EditorMapFiles {
public:
    static constexpr const char* kDiscardQuestion = "Discard unsaved changes?";
    static constexpr const char* kNewMapQuestion = "Unsaved progress will be lost.\nDo you want to continue?";
    static constexpr const char* kLoadQuestion =
        "Loading a new map will\ndelete unsaved progress.\nDo you want to continue?";
    static constexpr const char* kOverwriteQuestion = "File already exists.\nDo you want to overwrite?";
    static constexpr const char* kLoadedText = "Map Loaded";
    static constexpr const char* kReadFailedText = "ERROR:\nUnable to read file.";
    static constexpr const char* kInvalidNameText = "ERROR:\nInvalid file name.";
    static constexpr const char* kCourseNotSavedText = "ERROR:\nMap saved, but not its course.";
    static constexpr const char* kNoMapFolderText = "ERROR:\nMap folder unavailable.";
    // Added to a saved name that has no extension.
    static constexpr const char* kMapExtension = ".rmap";

    static constexpr uint32_t kLoad = 0;
    static constexpr uint32_t kSave = 1;
    // UI layers: the browser's blocker lies over the top bar and under the browser (5 and 6);
    // "Map Loaded" covers the top bar; "Map Saved" comes through the pop-up message.
    static constexpr int32_t kBrowserBlockerLayer = 4;
    static constexpr int32_t kLoadPopupLayer = 2;
    static constexpr int32_t kSavePopupLayer = 6;
    // Pop-ups while the browser is open lie over it.
    static constexpr int32_t kOverBrowserPopupLayer = 7;
    // Lowest layer of the confirm dialogs, over the top bar.
    static constexpr int32_t kDialogLayer = 2;

    // Finds (and makes, if missing) the user map folder; false when there is none.
    using MapFolderFinder = Engine::MapFolderFinder;

    // Everything given must outlive the commands.
    EditorMapFiles(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources,
                   MenuBuilder& menus, GameMap& map, EditorPlayer& editor,
                   MapFolderFinder findMapFolder = Engine::prepareUserMapFolder);

    // "New": empties the map and the editor's history, after asking while there are unsaved changes.
    void askNewMap();
    // Runs `discard` at once when the map has no unsaved changes; otherwise asks `question` with
    // "NO" (runs `keep`, if given) and "YES" (runs `discard`), the dialog's lowest layer at
    // `layer`. Answers the dialog's message box, or ECS::InvalidEntity when it did not ask.
    ECS::EntityId askToDiscard(std::function<void()> discard, std::function<void()> keep = {},
                               int32_t layer = kDialogLayer, const char* question = kDiscardQuestion);
    // "Load" (kLoad) and "Save" (kSave): the file browser over the window, below the top bar.
    void openMapBrowser(uint32_t mode);

    // The file that the name typed for saving names in `folder`: the name with ".rmap" added when
    // it has no extension. Nothing for a name that would leave the folder or be hidden in it
    // (UI::isPlainFileName), for one that grows too long with the extension, and for the name
    // of a folder.
    static std::optional<std::filesystem::path> savePath(const std::filesystem::path& folder, const std::string& name);

    // The course read with the map just loaded, for the gates once its blocks replace the map's
    // (taken once; none when the map had none).
    std::optional<CourseDocument> takeLoadedCourse();

    // The browser on show, or ECS::InvalidEntity.
    ECS::EntityId openBrowser() const;

    // Where the browser lies in a window of `window` pixels: centred below the top bar.
    struct BrowserRectangle {
        glm::vec2 position; // bottom-left corner
        glm::vec2 size;
    };
    static BrowserRectangle browserRectangle(glm::ivec2 window);
    // The window changed size: the browser on show, if any, is laid out again to fit it.
    void fitBrowserToWindow();

private:
    void newMap();
    void confirmLoad(ECS::EntityId browser);
    void loadMap(const std::filesystem::path& path);
    void confirmSave(ECS::EntityId browser);
    void saveMap(const std::filesystem::path& path);

    ECS::EntityManager* world;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    MenuBuilder* menus;
    GameMap* map;
    EditorPlayer* editor;
    MapFolderFinder findMapFolder;
    ECS::EntityId browser = ECS::InvalidEntity;
    std::optional<CourseDocument> loadedCourse;
    // Who the course is by: kept from the course loaded last, else the user.
    std::string author;
};

} // namespace Game
