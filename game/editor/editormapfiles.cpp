#include "game/editor/editormapfiles.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "game/editor/editorcoursefiles.h"
#include "game/editor/editorplayer.h"
#include "game/editor/editortopbar.h"
#include "game/filebrowser/filebrowser.h"
#include "game/filebrowser/filenames.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapmessages.h"
#include "game/menu/menubuilder.h"
#include "game/menu/menumessages.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/windowsize.h"

#include <system_error>
#include <utility>

namespace Game {

using Component::UIfileBrowserComponent;

EditorMapFiles::EditorMapFiles(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources,
                               MenuBuilder& menus, GameMap& map, EditorPlayer& editor, MapFolderFinder findMapFolder)
    : world(&world)
    , engine(&engine)
    , resources(&resources)
    , menus(&menus)
    , map(&map)
    , editor(&editor)
    , findMapFolder(std::move(findMapFolder))
{
}

ECS::EntityId EditorMapFiles::openBrowser() const
{
    return world->upcomingComponent<UIfileBrowserComponent>(browser) != nullptr ? browser : ECS::InvalidEntity;
}

std::optional<std::filesystem::path> EditorMapFiles::savePath(const std::filesystem::path& folder,
                                                              const std::string& name)
{
    if (!UI::isPlainFileName(name))
        return std::nullopt;
    std::filesystem::path path = folder / std::filesystem::u8path(name);
    if (!path.has_extension())
        path += kMapExtension;
    if (path.filename().u8string().size() > UI::kMaxFileNameBytes)
        return std::nullopt;
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    return path;
}

void EditorMapFiles::askNewMap()
{
    askToDiscard([this] { newMap(); }, {}, kDialogLayer, kNewMapQuestion);
}

ECS::EntityId EditorMapFiles::askToDiscard(std::function<void()> discard, std::function<void()> keep, int32_t layer,
                                           const char* question)
{
    if (!editor->hasUnsavedChanges()) {
        if (discard)
            discard();
        return ECS::InvalidEntity;
    }
    return menus->createConfirmDialog(question, "NO", "YES", std::move(keep), std::move(discard), layer);
}

void EditorMapFiles::newMap()
{
    loadedCourse.reset();
    author.clear();
    editor->resetForNewMap();
    editor->data().mapFile.clear();
    map->clear(*world);
    map->rebuildPending = true;
    Engine::logLine("NEW MAP");
}

void EditorMapFiles::openMapBrowser(uint32_t mode)
{
    if (openBrowser() != ECS::InvalidEntity)
        return;
    std::filesystem::path folder;
    if (!findMapFolder || !findMapFolder(folder)) {
        menus->createOKpopup(kLoadPopupLayer, kNoMapFolderText);
        return;
    }
    if (!UI::roomFor(*world, UI::FileBrowser::kMaxElements, "the file browser"))
        return;
    const glm::ivec2 window = UI::windowSize(*engine);
    const BrowserRectangle place = browserRectangle(window);

    UI::FileBrowserSettings settings;
    settings.mode = mode == kSave ? UI::FileBrowserSettings::kSave : UI::FileBrowserSettings::kOpen;
    settings.startFolder = folder;
    Engine::EngineCore* const core = engine;
    settings.clock = [core] { return core->loopSource().ticks(); };
    settings.blocker = UI::createBlocker(*world, kBrowserBlockerLayer, resources->whiteTexture.get(),
                                         static_cast<float>(window.x), static_cast<float>(window.y));
    browser = world->createEntity();
    const ECS::EntityId opened = browser;
    if (settings.mode == UI::FileBrowserSettings::kOpen) {
        settings.onConfirm = [this, opened] { confirmLoad(opened); };
    } else {
        settings.onConfirm = [this, opened] { confirmSave(opened); };
        settings.nameFilter = [](const std::string&, uint32_t codePoint) {
            return UI::fileNameCharacterAllowed(codePoint);
        };
        settings.onNameConfirm = [] { Engine::logLine("CONFIRM"); };
        settings.onNameCancel = [] { Engine::logLine("CANCEL"); };
    }
    if (browser == ECS::InvalidEntity) {
        UI::destroyElement(*world, settings.blocker);
        return;
    }
    UI::createFileBrowser(browser, *world, place.position, place.size, *resources, std::move(settings));
}

EditorMapFiles::BrowserRectangle EditorMapFiles::browserRectangle(glm::ivec2 window)
{
    const int width = static_cast<int>(0.6 * window.x);
    const int height = static_cast<int>(0.9 * (window.y - EditorTopBar::kHeight));
    return {glm::vec2(window.x / 2 - width / 2, window.y / 2 - height / 2 - EditorTopBar::kHeight / 2),
            glm::vec2(width, height)};
}

void EditorMapFiles::fitBrowserToWindow()
{
    const ECS::EntityId open = openBrowser();
    if (open == ECS::InvalidEntity)
        return;
    const BrowserRectangle place = browserRectangle(UI::windowSize(*engine));
    UI::FileBrowser::relayout(*world, open, place.position, place.size, *resources);
}

void EditorMapFiles::confirmLoad(ECS::EntityId opened)
{
    const std::optional<std::filesystem::path> path = UI::FileBrowser::chosenFile(*world, opened);
    if (!path)
        return;
    UI::FileBrowser::close(*world, opened);
    askToDiscard([this, chosen = *path] { loadMap(chosen); }, {}, kDialogLayer, kLoadQuestion);
}

void EditorMapFiles::loadMap(const std::filesystem::path& path)
{
    EditorCourseFiles::MapAndCourse read = EditorCourseFiles::load(path);
    MapLoadResult& loaded = read.map;
    if (!loaded.ok()) {
        menus->createOKpopup(kLoadPopupLayer, kReadFailedText);
        return;
    }
    // A map (with its gates) that would not fit once the current blocks and gates are gone,
    // beside the ids kept for the editor's UI, is refused; say so now instead of "Map Loaded".
    const size_t gates = read.course ? read.course->course.gates().size() : 0;
    const size_t going = map->qubeIDs.size() + editor->scene().gates().entities().size();
    if (loaded.qubes.size() + gates > editor->scene().freeEntitySlots() + going) {
        Engine::logLine("MAP NOT LOADED: " + path.u8string() + ": too many blocks");
        menus->createOKpopup(kLoadPopupLayer, EditorPlayer::kTooManyBlocksText);
        return;
    }
    Engine::logLine("MAP LOADED: " + path.u8string() + " (" + std::to_string(loaded.qubes.size()) + " blocks)");
    world->sendMessage(Message::LoadMapMessage{std::move(loaded.qubes)});
    // The gates join the blocks when the message replaces the map (takeLoadedCourse).
    loadedCourse = std::move(read.course);
    author = loadedCourse ? loadedCourse->author : std::string();
    editor->data().mapFile = path;
    menus->createOKpopup(kLoadPopupLayer, kLoadedText);
}

void EditorMapFiles::confirmSave(ECS::EntityId opened)
{
    if (!world->hasComponent<UIfileBrowserComponent>(opened))
        return;
    const std::filesystem::path folder = world->getComponent<UIfileBrowserComponent>(opened).folder;
    const std::optional<std::filesystem::path> path = savePath(folder, UI::FileBrowser::nameFieldText(*world, opened));
    if (!path) {
        // The browser stays open for another name.
        menus->createOKpopup(kOverBrowserPopupLayer, kInvalidNameText);
        return;
    }
    UI::FileBrowser::close(*world, opened);
    std::error_code error;
    if (std::filesystem::exists(*path, error)) {
        const std::filesystem::path target = *path;
        menus->createConfirmDialog(kOverwriteQuestion, "CANCEL", "OVERWRITE", {}, [this, target] { saveMap(target); });
        return;
    }
    saveMap(*path);
}

void EditorMapFiles::saveMap(const std::filesystem::path& path)
{
    const MapWriteResult result = map->save(*world, path);
    if (!result.ok()) {
        world->sendMessage(Message::CreateOKpopupMessage{GameMap::saveMessageText(result), kSavePopupLayer});
        return;
    }
    editor->data().mapFile = path;
    if (author.empty())
        author = EditorCourseFiles::defaultAuthor();
    // Gates that are not stored stay unsaved changes.
    if (!EditorCourseFiles::save(path, editor->scene().gates().course(), author)) {
        world->sendMessage(Message::CreateOKpopupMessage{kCourseNotSavedText, kSavePopupLayer});
        return;
    }
    editor->data().history.markSaved();
    world->sendMessage(Message::CreateOKpopupMessage{GameMap::saveMessageText(result), kSavePopupLayer});
}

std::optional<CourseDocument> EditorMapFiles::takeLoadedCourse()
{
    std::optional<CourseDocument> taken = std::move(loadedCourse);
    loadedCourse.reset();
    return taken;
}

} // namespace Game
