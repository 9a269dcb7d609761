#pragma once
// The map editor as the game controller sees it: the editor pass of the update and the frame.
// It runs the editor player on the engine's input snapshots, draws the gizmo and its picking
// image, owns the top bar (with the shortcut help) and the map file commands, and answers the
// player's requests to the menus, the pop-ups, the window and the pointer. It also keeps the
// window title ("Engine *" while the map has unsaved changes) and the timed backups of the map.
#include "engine/core/windowservice.h"
#include "engine/fileutil/fileutil.h"
#include "game/editor/editorautosave.h"
#include "game/editor/editorgizmodrawer.h"
#include "game/editor/editorhost.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editorplayer.h"
#include "game/editor/selectionboxview.h"
#include "game/editor/editortopbar.h"
#include "game/core/gamehooks.h"

#include <functional>
#include <memory>
#include <string>

namespace Engine {
class EngineCore;
}

namespace Game {

class Menu;
class MenuBuilder;

class GameEditor final : public EditorPass, private EditorHost {
public:
    static constexpr const char* kTitle = "Engine";
    static constexpr const char* kUnsavedTitle = "Engine *";
    // UI layer of the editor's pop-ups: above its top bar and its pause menu.
    static constexpr int32_t kPopupLayer = 6;

    // Everything given must outlive the editor; the editor entity must carry its
    // EditorDataComponent already.
    GameEditor(Engine::EngineCore& engine, ECS::EntityManager& world, GameMap& map, GamePhysics::PhysicsWorld& physics,
               const RenderResources& resources, GameStateRecord& state, EditorPlayer::Entities entities,
               Menu& menu, MenuBuilder& menus,
               EditorAutosave::MapFolderFinder findMapFolder = Engine::prepareUserMapFolder);

    void tick() override;
    void drawGizmo() override;
    void drawGizmoIds() override;
    void open() override;
    void close() override;
    void resume() override;
    void mapReplaced() override;
    bool hasUnsavedChanges() override;
    const Course* course() override;

    EditorPlayer& player() { return editor; }
    EditorTopBar& topBar() { return bar; }
    EditorMapFiles& mapFiles() { return files; }
    // After a window resize: the browser fits the window and a top bar on show is built anew;
    // false when no top bar is on show.
    bool fitToWindow();
    // The window's close button in the editor: true when the window may close now; with unsaved
    // changes it asks once (over the browser and any pop-up) and `close` runs on "YES".
    bool allowClose(std::function<void()> close);

    // The looks of the editor's display entities: selection copies drawn by the selection pass
    // and preview blocks drawn like the map's blocks.
    static EditorLooks looksFrom(const RenderResources& resources);

private:
    bool modalOpen() override;
    void openPauseMenu() override;
    void resumeFromPause() override;
    void clearTopBar() override;
    void buildTopBar() override;
    void closeAddDropdown() override;
    void showTool(std::uint32_t tool) override;
    void showSnapping(bool on) override;
    void toggleHelp() override;
    bool helpShown() override;
    void showSelectionBox(glm::vec2 corner, glm::vec2 opposite) override;
    void hideSelectionBox() override;
    void showMessage(const std::string& text) override;
    std::uint32_t pickHandle(int x, int y) override;
    void windowSize(int& width, int& height) override;
    void warpPointer(int x, int y) override;
    void grabPointer(bool grabbed) override;
    void capturePointer(bool captured) override;

    bool editorVisible();
    // Sets the window title when the map's unsaved state changed since it was last set.
    void showUnsavedState(bool unsaved);
    void autosave(bool unsaved);
    // The top bar's course line follows the course.
    void showCourse();

    Engine::EngineCore* engine;
    Engine::WindowService window;
    ECS::EntityManager* world;
    GameStateRecord* state;
    MenuBuilder* menus;
    EditorGizmoDrawer drawer;
    SelectionBoxView selectionBox;
    EditorPlayer editor;
    EditorMapFiles files;
    EditorTopBar bar;
    EditorAutosave backups;
    bool titleUnsaved = false;
    // The course version the top bar shows.
    std::uint64_t shownCourse = 0;
    // The message box of the question asked when the window was closed, while it is up.
    ECS::EntityId closeQuestion = ECS::InvalidEntity;
};

} // namespace Game
