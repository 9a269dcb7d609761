#include "game/editor/gameeditor.h"

#include "engine/core/enginecore.h"
#include "game/gamecontroller/controlswitches.h"
#include "game/render/meshcomponent.h"

#include <SDL.h>

namespace Game {

GameEditor::GameEditor(Engine::EngineCore& engine, ECS::EntityManager& world, GameMap& map,
                       GamePhysics::PhysicsWorld& physics, const RenderResources& resources, GameStateRecord& state,
                       EditorPlayer::Entities entities, EditorMenuLinks menus)
    : engine(&engine)
    , world(&world)
    , state(&state)
    , menus(std::move(menus))
    , drawer(*engine.renderContext, resources)
    , editor(world, map, physics, entities, state, *this, looksFrom(resources))
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
    return menus.modalOpen && menus.modalOpen();
}

void GameEditor::openPauseMenu()
{
    if (menus.openPauseMenu)
        menus.openPauseMenu();
}

void GameEditor::resumeFromPause()
{
    resume();
}

void GameEditor::open()
{
    editor.resetForNewMap();
    editor.setEditorCameraEnabled(true);
    buildTopBar();
}

void GameEditor::close()
{
    editor.leaveEditor();
    editor.resetForNewMap();
    clearTopBar();
}

void GameEditor::resume()
{
    if (!state->paused)
        return;
    state->paused = false;
    if (menus.closePauseMenu)
        menus.closePauseMenu();
    editor.setEditorCameraEnabled(true);
    clearCameraPendingChange(*world, editor.cameraEntity());
    engine->mouse->discardRelativeMotion();
    buildTopBar();
}

void GameEditor::mapReplaced()
{
    editor.resetForNewMap();
}

void GameEditor::clearTopBar()
{
    if (menus.clearTopBar)
        menus.clearTopBar();
}

void GameEditor::buildTopBar()
{
    if (menus.buildTopBar)
        menus.buildTopBar();
}

void GameEditor::closeAddDropdown()
{
    if (menus.closeAddDropdown)
        menus.closeAddDropdown();
}

void GameEditor::showTool(std::uint32_t tool)
{
    if (menus.showTool)
        menus.showTool(tool);
}

void GameEditor::showMessage(const std::string& text)
{
    if (menus.showMessage)
        menus.showMessage(text);
}

std::uint32_t GameEditor::pickHandle(int x, int y)
{
    return drawer.pickHandle(x, y);
}

void GameEditor::windowSize(int& width, int& height)
{
    SDL_Window* window = engine->window ? engine->window->window : nullptr;
    engine->loopSource().windowSize(window, width, height);
}

void GameEditor::warpPointer(int x, int y)
{
    engine->loopSource().warpMouse(engine->window ? engine->window->window : nullptr, x, y);
}

void GameEditor::grabPointer(bool grabbed)
{
    if (engine->window && engine->window->window)
        SDL_SetWindowGrab(engine->window->window, grabbed ? SDL_TRUE : SDL_FALSE);
}

void GameEditor::capturePointer(bool captured)
{
    engine->loopSource().setRelativeMouseMode(captured);
}

} // namespace Game
