#include "game/editor/gameeditor.h"

#include "engine/core/log.h"
#include "engine/core/enginecore.h"
#include "game/player/controlswitches.h"
#include "game/menu/menubuilder.h"
#include "game/render/meshcomponent.h"
#include "game/ui/uielements.h"

#include <SDL.h>

namespace Game {

GameEditor::GameEditor(Engine::EngineCore& engine, ECS::EntityManager& world, GameMap& map,
                       GamePhysics::PhysicsWorld& physics, const RenderResources& resources, GameStateRecord& state,
                       EditorPlayer::Entities entities, Menu& menu, MenuBuilder& menus,
                       EditorAutosave::MapFolderFinder findMapFolder)
    : engine(&engine)
    , window(engine)
    , world(&world)
    , state(&state)
    , menus(&menus)
    , drawer(*engine.renderContext, resources)
    , selectionBox(world, resources.whiteTexture.get())
    , editor(world, map, physics, entities, state, *this, looksFrom(resources))
    , files(world, engine, resources, menus, map, editor)
    , bar(world, menu, engine, resources, editor, files)
    , backups(std::move(findMapFolder))
{
}

EditorLooks GameEditor::looksFrom(const RenderResources& resources)
{
    const Engine::GFX::Drawable* cube = resources.cube.get();
    const Engine::GFX::Texture2D* blockTexture = resources.hexagonTexture.get();
    EditorLooks looks;
    looks.selection = [cube](ECS::EntityManager& world, ECS::EntityId entity) {
        world.addComponent(entity, Component::MeshComponent(Component::MeshComponent::selectedGroup, cube, nullptr));
    };
    looks.preview = [cube, blockTexture](ECS::EntityManager& world, ECS::EntityId entity) {
        world.addComponent(entity,
                           Component::MeshComponent(Component::MeshComponent::defaultGroup, cube, blockTexture));
    };
    return looks;
}

void GameEditor::tick()
{
    editor.editorTick(*engine->keyboard, *engine->mouse);
    const bool unsaved = editor.hasUnsavedChanges();
    showUnsavedState(unsaved);
    autosave(unsaved);
    showCourse();
}

const Course* GameEditor::course()
{
    return &editor.scene().gates().course();
}

void GameEditor::showCourse()
{
    const EditorGates& gates = editor.scene().gates();
    if (gates.version() == shownCourse)
        return;
    shownCourse = gates.version();
    bar.showCourse(gates.course().summary());
}

bool GameEditor::hasUnsavedChanges()
{
    return editor.hasUnsavedChanges();
}

void GameEditor::showUnsavedState(bool unsaved)
{
    if (unsaved == titleUnsaved)
        return;
    titleUnsaved = unsaved;
    window.setTitle(unsaved ? kUnsavedTitle : kTitle);
}

void GameEditor::autosave(bool unsaved)
{
    if (!backups.due(unsaved))
        return;
    // The blocks as they stand after this update's refresh, as a save would write them.
    backups.write(editor.scene().map().qubeRecords(*world), editor.data().mapFile, editor.scene().gates().course());
}

bool GameEditor::editorVisible()
{
    return state->state == GameStateRecord::editor && !editor.playTesting();
}

void GameEditor::drawGizmo()
{
    if (editorVisible())
        drawer.draw(editor.data());
}

void GameEditor::drawGizmoIds()
{
    if (editorVisible())
        drawer.drawIds(editor.data());
}

bool GameEditor::modalOpen()
{
    return UI::popupOpen(*world);
}

void GameEditor::openPauseMenu()
{
    // The pause menu replaces the top bar; resume builds the bar again.
    bar.clear();
    menus->buildEditorPauseMenu();
}

void GameEditor::resumeFromPause()
{
    resume();
}

void GameEditor::open()
{
    editor.resetForNewMap();
    editor.data().mapFile.clear();
    files.takeLoadedCourse(); // a course read for a map that never replaced the blocks
    editor.setEditorCameraEnabled(true);
    buildTopBar();
}

void GameEditor::close()
{
    editor.leaveEditor();
    editor.resetForNewMap();
    files.takeLoadedCourse();
    clearTopBar();
    showUnsavedState(false);
}

void GameEditor::resume()
{
    if (!state->paused)
        return;
    state->paused = false;
    menus->closePauseMenu();
    editor.setEditorCameraEnabled(true);
    clearCameraPendingChange(*world, editor.cameraEntity());
    engine->mouse->discardRelativeMotion();
    buildTopBar();
}

void GameEditor::mapReplaced()
{
    editor.resetForNewMap();
    const std::optional<CourseDocument> loaded = files.takeLoadedCourse();
    EditorScene& scene = editor.scene();
    if (loaded && !scene.gates().load(scene.world(), loaded->course, scene.freeEntitySlots()))
        Engine::logLine("EDITOR: not every gate of the course found an entity id");
}

void GameEditor::clearTopBar()
{
    bar.clear();
}

void GameEditor::buildTopBar()
{
    bar.build();
}

void GameEditor::closeAddDropdown()
{
    bar.closeAddDropdown();
}

void GameEditor::showTool(std::uint32_t tool)
{
    bar.showTool(tool);
}

void GameEditor::showSnapping(bool on)
{
    bar.showSnapping(on);
}

void GameEditor::toggleHelp()
{
    bar.toggleHelp();
}

bool GameEditor::helpShown()
{
    return bar.helpShown();
}

void GameEditor::showSelectionBox(glm::vec2 corner, glm::vec2 opposite)
{
    selectionBox.show(corner, opposite);
}

void GameEditor::hideSelectionBox()
{
    selectionBox.hide();
}

void GameEditor::showMessage(const std::string& text)
{
    menus->createOKpopup(kPopupLayer, text);
}

std::uint32_t GameEditor::pickHandle(int x, int y)
{
    return drawer.pickHandle(x, y);
}

void GameEditor::windowSize(int& width, int& height)
{
    engine->loopSource().windowSize(engine->window ? engine->window->window : nullptr, width, height);
}

void GameEditor::warpPointer(int x, int y)
{
    engine->loopSource().warpMouse(engine->window ? engine->window->window : nullptr, x, y);
}

void GameEditor::grabPointer(bool grabbed)
{
    window.grabPointer(grabbed);
}

void GameEditor::capturePointer(bool captured)
{
    engine->loopSource().setRelativeMouseMode(captured);
}

bool GameEditor::fitToWindow()
{
    files.fitBrowserToWindow();
    return bar.rebuildIfShown();
}

bool GameEditor::allowClose(std::function<void()> close)
{
    // Above the browser and the editor's pop-ups, so it can always be answered.
    constexpr int32_t kCloseQuestionLayer = 7;
    if (!hasUnsavedChanges())
        return true;
    if (closeQuestion != ECS::InvalidEntity && world->isAlive(closeQuestion) && !world->isDestroyPending(closeQuestion))
        return false; // already asking
    closeQuestion = files.askToDiscard(std::move(close), {}, kCloseQuestionLayer);
    if (closeQuestion != ECS::InvalidEntity)
        return false;
    // The editor keeps ids free for the question; should it still not fit, the user's own
    // request decides rather than a window that cannot be closed.
    Engine::logLine("EDITOR: no room to ask about the unsaved changes; the window closes as asked");
    return true;
}

} // namespace Game
