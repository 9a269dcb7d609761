#include "game/editor/editorplayer.h"

#include "engine/mathe/mathe.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editorundo.h"
#include "game/editor/editorview.h"
#include "game/core/controlswitches.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/raycast.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>
#include <vector>

namespace Game {

using Component::CameraComponent;
using Component::CameraModificationComponent;
using Component::CameraMouseMovementComponent;
using Component::CameraMouseShiftComponent;
using Component::CameraMouseZoomMoveComponent;
using Component::CameraZclampComponent;
using Component::CharacterControllerComponent;
using Component::EditorDataComponent;
using Component::FreeCamMovementComponent;
using Component::TransformComponent;

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kMiddle = 2;

glm::vec2 pointerPixel(const Engine::MouseState& mouse)
{
    return glm::vec2(float(mouse.posX), float(mouse.posY));
}

template <class C>
void setEnabled(ECS::EntityManager& world, ECS::EntityId entity, bool enabled)
{
    if (world.hasComponent<C>(entity))
        world.getComponent<C>(entity).enabled = enabled;
}

} // namespace

EditorPlayer::EditorPlayer(ECS::EntityManager& world, GameMap& map, GamePhysics::PhysicsWorld& physics,
                           Entities entities, GameStateRecord& state, EditorHost& host, EditorLooks looks)
    : scene_(world, map, entities.editor, std::move(looks))
    , physics(&physics)
    , entities(entities)
    , state(&state)
    , host(&host)
{
}

// --- The tick -----------------------------------------------------------------------------------

void EditorPlayer::editorTick(const Engine::KeyboardState& keyboard, Engine::MouseState& mouse)
{
    const TickInput in{&keyboard, &mouse};
    data().serials.forgetVanished([this](ECS::EntityId block) { return scene_.isLiveBlock(block); });
    const bool modal = host->modalOpen();
    // A question over a play-test (closing the window, say) needs the pointer back to answer it.
    if (modal && playTesting())
        stopPlayTest(mouse);
    if (modal || playTesting()) {
        setCameraFlight(false);
        // Whatever was in progress cannot finish while the view is blocked.
        abandonDragOrPlacement();
    } else {
        scene_.drainPendingSelection();
        if (!state->paused && keyboard.isPressed(SDL_SCANCODE_TAB))
            setTool((data().tool + 1) % 3);
        if (!state->paused) {
            updateGizmo();
            host->showTool(data().tool);
        }
        cameraButtons(in);
        editingStep(in);
        escape(in);
    }
    if (!modal)
        playTestKeys(in);
}

void EditorPlayer::cameraButtons(const TickInput& in)
{
    Engine::MouseState& mouse = *in.mouse;
    EditorDataComponent& d = data();
    ECS::EntityManager& world = scene_.world();
    if (mouse.buttonReleased(kRight)) {
        setEnabled<CameraMouseMovementComponent>(world, entities.editorCamera, false);
        host->grabPointer(false);
        d.cameraDrag = false;
    }
    if (mouse.buttonReleased(kMiddle)) {
        setEnabled<CameraMouseShiftComponent>(world, entities.editorCamera, false);
        host->grabPointer(false);
        d.cameraDrag = false;
    }
    if (state->paused)
        return;
    if (mouse.buttonDown(kRight) || mouse.buttonDown(kMiddle))
        wrapPointer(mouse);
    if (state->mouseOverUI || d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting)
        return;
    const bool look = mouse.buttonPressed(kRight);
    const bool pan = mouse.buttonPressed(kMiddle);
    if (look)
        setEnabled<CameraMouseMovementComponent>(world, entities.editorCamera, true);
    if (pan)
        setEnabled<CameraMouseShiftComponent>(world, entities.editorCamera, true);
    if (look || pan) {
        host->grabPointer(true);
        mouse.discardRelativeMotion();
        d.cameraDrag = true;
    }
}

void EditorPlayer::wrapPointer(Engine::MouseState& mouse)
{
    int w = 0;
    int h = 0;
    host->windowSize(w, h);
    int x = mouse.x;
    int y = mouse.y;
    if (x < 1)
        x = w - 2;
    else if (x >= w - 1)
        x = 1;
    if (y >= h - 1)
        y = kTopBarRows + 1;
    else if (y <= kTopBarRows)
        y = h - 2;
    if (x == mouse.x && y == mouse.y)
        return;
    host->warpPointer(x, y);
    mouse.x = mouse.posX = x;
    mouse.y = y;
    mouse.posY = h - y;
    mouse.discardRelativeMotion();
}

void EditorPlayer::setCameraFlight(bool enabled)
{
    setEnabled<FreeCamMovementComponent>(scene_.world(), entities.editorCamera, enabled);
}

void EditorPlayer::editingStep(const TickInput& in)
{
    const Engine::KeyboardState& keys = *in.keyboard;
    const Engine::MouseState& mouse = *in.mouse;
    EditorDataComponent& d = data();
    const bool pointerBusy = d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting;
    setCameraFlight(!state->paused && !pointerBusy && !keys.altDown());
    if (state->paused)
        return;
    shortcutKeys(keys);

    const bool released = mouse.buttonReleased(kLeft);
    if (d.mode == EditorMode::boxSelecting) {
        // The box lives in window pixels: it may end over the top bar as well.
        if (released)
            finishBox(mouse, keys.shiftDown());
        else
            followBox(mouse);
        return;
    }
    if (state->mouseOverUI) {
        // A release over the UI ends whatever the left button was doing in the 3-D view.
        if (released) {
            abandonDragOrPlacement();
            d.ignoreRelease = false;
        }
        return;
    }

    historyKeys(keys);
    if (keys.altDown() && d.mode == EditorMode::idle) {
        if (keys.isPressed(SDL_SCANCODE_S))
            resetSelection(0);
        if (keys.isPressed(SDL_SCANCODE_R))
            resetSelection(1);
        if (keys.isPressed(SDL_SCANCODE_P))
            resetSelection(2);
    }

    const std::uint32_t handle = hoverHandles(mouse);
    if (mouse.buttonPressed(kLeft) && d.mode == EditorMode::idle) {
        if (handle >= 1 && handle <= 4)
            startDrag(static_cast<std::int32_t>(handle), mouse);
        else if (!d.cameraDrag)
            armBox(mouse);
    }
    if (d.boxArmed && mouse.buttonDown(kLeft) && d.mode == EditorMode::idle && !d.cameraDrag) {
        followBox(mouse);
        if (d.mode == EditorMode::boxSelecting)
            return;
    }
    if (d.mode == EditorMode::dragging)
        followDrag(mouse, dragSnap(keys));
    if (d.mode == EditorMode::placing)
        followPlacement(mouse);

    if (released) {
        d.boxArmed = false;
        if (d.ignoreRelease) {
            d.ignoreRelease = false;
        } else if (d.mode == EditorMode::placing) {
            finishPlacement();
        } else if (d.mode == EditorMode::dragging) {
            finishDrag(keys.ctrlDown());
        } else if (!d.cameraDrag) {
            clickSelect(mouse, keys.shiftDown());
        }
        host->closeAddDropdown();
    }
    if (keys.isPressed(SDL_SCANCODE_DELETE) && d.mode == EditorMode::idle && !d.selections.empty())
        deleteSelection();
    if (keys.isPressed(SDL_SCANCODE_INSERT) && d.mode == EditorMode::idle)
        startAddingBlock();
}

void EditorPlayer::shortcutKeys(const Engine::KeyboardState& keys)
{
    // Keys that need no pointer work wherever the pointer is, over the top bar and the help too.
    if (keys.isPressed(SDL_SCANCODE_F1))
        host->toggleHelp();
    if (keys.ctrlDown() || keys.altDown())
        return;
    if (keys.isPressed(SDL_SCANCODE_G)) {
        toggleSnapping();
        host->showSnapping(data().snapping);
    }
    if (keys.isPressed(SDL_SCANCODE_F) && data().mode == EditorMode::idle)
        frameSelection();
}

void EditorPlayer::historyKeys(const Engine::KeyboardState& keys)
{
    if (!keys.ctrlDown() || data().mode != EditorMode::idle)
        return;
    if (keys.isPressed(SDL_SCANCODE_Y) || (keys.isPressed(SDL_SCANCODE_Z) && keys.shiftDown()))
        redo();
    else if (keys.isPressed(SDL_SCANCODE_Z))
        undo();
}

void EditorPlayer::escape(const TickInput& in)
{
    if (!in.keyboard->isPressed(SDL_SCANCODE_ESCAPE))
        return;
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::placing) {
        abandonDragOrPlacement();
    } else if (d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting) {
        abandonDragOrPlacement();
        if (in.mouse->buttonDown(kLeft))
            d.ignoreRelease = true;
    } else if (!state->paused && host->helpShown()) {
        host->toggleHelp();
    } else if (!state->paused) {
        state->paused = true;
        setEditorCameraEnabled(false);
        d.axis = EditorHandle::none;
        d.mode = EditorMode::idle;
        host->openPauseMenu();
    } else {
        host->resumeFromPause();
    }
}

// --- Play-testing -------------------------------------------------------------------------------

bool EditorPlayer::playTesting()
{
    ECS::EntityManager& world = scene_.world();
    return world.hasComponent<CharacterControllerComponent>(entities.player)
        && world.getComponent<CharacterControllerComponent>(entities.player).enabled;
}

void EditorPlayer::playTestKeys(const TickInput& in)
{
    if (!scene_.world().hasComponent<CharacterControllerComponent>(entities.player) || state->paused)
        return;
    // Alt+Return is the game's full-screen key, not a play test.
    const bool toggle = in.keyboard->isPressed(SDL_SCANCODE_RETURN) && !in.keyboard->altDown();
    if (playTesting()) {
        if (toggle || in.keyboard->isPressed(SDL_SCANCODE_ESCAPE))
            stopPlayTest(*in.mouse);
    } else if (toggle) {
        startPlayTest(*in.mouse);
    }
}

void EditorPlayer::startPlayTest(Engine::MouseState& mouse)
{
    ECS::EntityManager& world = scene_.world();
    abandonDragOrPlacement();
    data().gizmoShown = false;
    host->clearTopBar();
    setEditorCameraEnabled(false);

    auto& controller = world.getComponent<CharacterControllerComponent>(entities.player);
    const glm::vec3 start = cameraPosition();
    controller.placeAt(start);
    controller.resetMotion();
    setPlayerControl(world, entities.player, true);
    if (world.hasComponent<TransformComponent>(entities.player)) {
        TransformComponent& body = world.getComponent<TransformComponent>(entities.player);
        body.position = start;
        body.copyToPrevious();
    }
    if (world.hasComponent<CameraModificationComponent>(entities.player)
        && world.hasComponent<CameraModificationComponent>(entities.editorCamera)) {
        const auto& from = world.getComponent<CameraModificationComponent>(entities.editorCamera);
        auto& to = world.getComponent<CameraModificationComponent>(entities.player);
        to.yaw = to.previousYaw = from.yaw;
        to.pitch = to.previousPitch = from.pitch;
        to.roll = to.previousRoll = from.roll;
    }
    clearCameraPendingChange(world, entities.player);
    host->capturePointer(true);
    mouse.discardRelativeMotion();
    state->showCursor = false;
}

void EditorPlayer::stopPlayTest(Engine::MouseState& mouse)
{
    ECS::EntityManager& world = scene_.world();
    host->buildTopBar();
    setEditorCameraEnabled(true);
    setPlayerControl(world, entities.player, false);
    clearCameraPendingChange(world, entities.editorCamera);
    host->capturePointer(false);
    mouse.discardRelativeMotion();
    state->showCursor = true;
}

// --- Top bar and transitions --------------------------------------------------------------------

void EditorPlayer::setTool(std::uint32_t tool)
{
    if (tool > EditorTool::scale)
        return;
    EditorDataComponent& d = data();
    // Switching tools mid-drag would mix two tools' arithmetic: the drag ends first, and the
    // release that follows belongs to it, not a click that would clear the selection.
    if (d.mode == EditorMode::dragging && d.tool != tool) {
        abandonDragOrPlacement();
        d.ignoreRelease = true;
    }
    d.tool = tool;
}

void EditorPlayer::togglePivot()
{
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::dragging)
        abandonDragOrPlacement();
    d.pivot = d.pivot == EditorPivot::local ? EditorPivot::global : EditorPivot::local;
}

void EditorPlayer::toggleOrientation()
{
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::dragging)
        abandonDragOrPlacement();
    d.orientation = d.orientation == EditorOrientation::world ? EditorOrientation::normal : EditorOrientation::world;
}

const char* EditorPlayer::pivotName(std::uint32_t pivot)
{
    return pivot == EditorPivot::local ? "LOCAL" : "GLOBAL";
}

const char* EditorPlayer::orientationName(std::uint32_t orientation)
{
    return orientation == EditorOrientation::normal ? "NORMAL" : "WORLD";
}

void EditorPlayer::toggleSnapping()
{
    EditorDataComponent& d = data();
    d.snapping = !d.snapping;
}

const char* EditorPlayer::snappingName(bool snapping)
{
    return snapping ? "ON" : "OFF";
}

bool EditorPlayer::hasUnsavedChanges()
{
    return data().history.hasUnsavedChanges();
}

void EditorPlayer::startAddingBlock()
{
    abandonDragOrPlacement();
    unselectAllRecorded();
    BlockPose identity;
    if (scene_.createPreview(identity) == ECS::InvalidEntity) {
        host->showMessage(kTooManyBlocksText);
        return;
    }
    data().mode = EditorMode::placing;
}

void EditorPlayer::resetForNewMap()
{
    scene_.resetForNewMap();
}

void EditorPlayer::leaveEditor()
{
    abandonDragOrPlacement();
    scene_.clearSelection();
    data().pendingSelection.clear();
    data().gizmoShown = false;
    setEditorCameraEnabled(false);
}

void EditorPlayer::setEditorCameraEnabled(bool enabled)
{
    ECS::EntityManager& world = scene_.world();
    setEnabled<CameraMouseMovementComponent>(world, entities.editorCamera, false);
    setEnabled<CameraMouseShiftComponent>(world, entities.editorCamera, false);
    setEnabled<FreeCamMovementComponent>(world, entities.editorCamera, false);
    setEnabled<CameraMouseZoomMoveComponent>(world, entities.editorCamera, enabled);
    host->grabPointer(false);
    data().cameraDrag = false;
}

// --- Gizmo and drags ----------------------------------------------------------------------------

void EditorPlayer::updateGizmo()
{
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::dragging) {
        d.gizmoShown = true;
        return;
    }
    gizmoScratch.clear();
    for (const auto& pair : d.selections.selectionToEntity)
        gizmoScratch.emplace_back(pair.first, scene_.selectionPose(pair.first));
    const auto gizmo = TransformDrag::gizmoForSelection(gizmoScratch, d.tool, d.orientation);
    d.gizmoShown = gizmo.has_value();
    if (!gizmo)
        return;
    d.gizmoPosition = gizmo->position;
    d.gizmoRotation = gizmo->rotation;
    d.gizmoScale = gizmo->scale;
    d.gizmoMatrix = gizmo->matrix();
}

std::uint32_t EditorPlayer::hoverHandles(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = data();
    // Reading the picking image waits for the GPU: only while a gizmo is shown.
    const std::uint32_t hovered = d.gizmoShown ? host->pickHandle(mouse.posX, mouse.posY) : 0;
    for (std::uint32_t i = 0; i < d.handleColours.size(); ++i) {
        auto& colour = d.handleColours[i];
        colour.current = hovered == i + 1 ? colour.hover : colour.normal;
    }
    return hovered;
}

void EditorPlayer::startDrag(std::int32_t handle, const Engine::MouseState& mouse)
{
    EditorDataComponent& d = data();
    d.axis = handle;
    d.dragStartMatrix = d.gizmoMatrix;
    d.mode = EditorMode::dragging;
    dragPose = TransformDrag::GizmoPose{d.gizmoPosition, d.gizmoRotation, d.gizmoScale};

    const auto frame = TransformDrag::DragFrame::fromMatrix(d.dragStartMatrix);
    const auto hits = TransformDrag::intersectPlanes(frame, handle, pointerRay(mouse));
    TransformDrag::DragAnchor anchor{d.startOffset, d.startDistance, d.rotationStart};
    TransformDrag::takeAnchor(anchor, frame, handle, hits);
    d.startOffset = anchor.offset;
    d.startDistance = anchor.startDistance;
    d.rotationStart = anchor.rotationStart;
}

TransformDrag::Snap EditorPlayer::dragSnap(const Engine::KeyboardState& keys)
{
    const EditorDataComponent& d = data();
    TransformDrag::Snap snap;
    snap.enabled = d.snapping;
    snap.absolute = keys.altDown();
    // The copy with the highest id: the one the gizmo takes its turn from.
    if (!d.selections.savedTransforms.empty())
        snap.reference = d.selections.savedTransforms.rbegin()->second;
    return snap;
}

void EditorPlayer::followDrag(const Engine::MouseState& mouse, const TransformDrag::Snap& snap)
{
    EditorDataComponent& d = data();
    const auto frame = TransformDrag::DragFrame::fromMatrix(d.dragStartMatrix);
    const auto ray = pointerRay(mouse);
    const auto hits = TransformDrag::intersectPlanes(frame, d.axis, ray);
    const TransformDrag::DragAnchor anchor{d.startOffset, d.startDistance, d.rotationStart};
    dragPose = TransformDrag::dragGizmo(d.tool, d.axis, frame, anchor, hits, dragPose, snap);
    d.gizmoPosition = dragPose.position;
    d.gizmoRotation = dragPose.rotation;
    d.gizmoScale = dragPose.scale;
    d.gizmoMatrix = dragPose.matrix();

    const auto change = TransformDrag::selectionChange(d.tool, d.axis, frame, anchor, hits, dragPose, ray, snap);
    if (!change)
        return;
    const float minScale = snap.enabled ? TransformDrag::kScaleStep : TransformDrag::kMinScale;
    for (const auto& [copy, saved] : d.selections.savedTransforms) {
        if (const auto place = TransformDrag::rebuildPlace(saved, *change, d.tool, d.axis, d.pivot, frame, minScale))
            scene_.setSelectionPose(copy, *place, true);
    }
}

void EditorPlayer::finishDrag(bool duplicate)
{
    if (duplicate) {
        duplicateSelection();
        return;
    }
    EditorDataComponent& d = data();
    Revision modify(Revision::modify);
    // Copy first: setBlockPose rewrites the saved places as it goes.
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    for (const auto& [block, copy] : selected) {
        if (!scene_.isLiveBlock(block))
            continue;
        modify.add(scene_.serialOf(block), block, scene_.poseOf(block));
        scene_.setBlockPose(block, scene_.selectionPose(copy));
    }
    d.history.record(std::move(modify));
    scene_.map().rebuildPending = true;
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
}

void EditorPlayer::duplicateSelection()
{
    EditorDataComponent& d = data();
    const std::uint32_t count = static_cast<std::uint32_t>(d.selections.size());
    if (2 * count > scene_.freeEntitySlots()) {
        // Each copy needs a block and its own highlight: refuse all rather than some.
        abandonDragOrPlacement();
        host->showMessage(kTooManyBlocksText);
        return;
    }
    Revision unselect(Revision::unselect);
    Revision create(Revision::create);
    std::vector<ECS::EntityId> copies;
    for (const auto& [block, copy] : d.selections.entityToSelection) {
        unselect.add(scene_.serialOf(block), block);
        const ECS::EntityId made = scene_.createBlock(scene_.selectionPose(copy));
        if (made != ECS::InvalidEntity)
            copies.push_back(made);
    }
    for (const ECS::EntityId made : copies) {
        create.add(scene_.serialOf(made), made);
        scene_.queueSelect(made);
    }
    scene_.clearSelection();
    d.history.record(std::move(unselect), std::move(create));
    scene_.map().rebuildPending = true;
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
}

void EditorPlayer::abandonDragOrPlacement()
{
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::dragging)
        scene_.restoreSelectionCopies();
    if (d.mode == EditorMode::placing || !d.placing.empty())
        scene_.destroyPreviews();
    if (d.mode == EditorMode::boxSelecting)
        host->hideSelectionBox();
    d.boxArmed = false;
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
}

// --- Placing, selecting, deleting, resets, undo -------------------------------------------------

void EditorPlayer::followPlacement(const Engine::MouseState& mouse)
{
    const auto ray = pointerRay(mouse);
    const glm::vec3 end = ray.eye + ray.direction * kPlacingReach;
    const auto hit = GamePhysics::RayCast::closestHit(*physics, ray.eye, end, GamePhysics::RayMask::surfaces);
    const glm::vec3 centre = hit ? hit->point : end;
    for (const ECS::EntityId preview : data().placing) {
        if (scene_.world().hasComponent<TransformComponent>(preview))
            scene_.world().getComponent<TransformComponent>(preview).position = centre;
    }
}

void EditorPlayer::finishPlacement()
{
    EditorDataComponent& d = data();
    std::vector<BlockPose> poses;
    for (const ECS::EntityId preview : d.placing) {
        if (scene_.world().hasComponent<TransformComponent>(preview))
            poses.push_back(BlockPose::of(scene_.world().getComponent<TransformComponent>(preview)));
    }
    scene_.destroyPreviews();
    d.mode = EditorMode::idle;
    if (poses.size() > scene_.freeEntitySlots()) {
        host->showMessage(kTooManyBlocksText);
        return;
    }
    Revision create(Revision::create);
    for (const BlockPose& pose : poses) {
        const ECS::EntityId block = scene_.createBlock(pose);
        if (block != ECS::InvalidEntity)
            create.add(scene_.serialOf(block), block);
    }
    d.history.record(std::move(create));
    scene_.map().rebuildPending = true;
}

void EditorPlayer::unselectAllRecorded()
{
    EditorDataComponent& d = data();
    Revision unselect(Revision::unselect);
    for (const auto& pair : d.selections.entityToSelection)
        unselect.add(scene_.serialOf(pair.first), pair.first);
    scene_.clearSelection();
    d.history.record(std::move(unselect));
}

ECS::EntityId EditorPlayer::blockUnderPointer(const Engine::MouseState& mouse)
{
    const auto ray = pointerRay(mouse);
    const glm::vec3 end = ray.eye + ray.direction * cameraData().farPlane;
    const auto hit = GamePhysics::RayCast::closestHit(*physics, ray.eye, end, GamePhysics::RayMask::blocksOnly);
    const ECS::EntityId block = hit ? hit->entityID : ECS::InvalidEntity;
    return scene_.isLiveBlock(block) ? block : ECS::InvalidEntity;
}

void EditorPlayer::clickSelect(const Engine::MouseState& mouse, bool shift)
{
    const ECS::EntityId block = blockUnderPointer(mouse);
    EditorDataComponent& d = data();
    if (!scene_.isLiveBlock(block)) {
        if (!shift)
            unselectAllRecorded();
        return;
    }
    if (!shift) {
        unselectAllRecorded();
    } else if (d.selections.hasSelection(block)) {
        Revision unselect(Revision::unselect);
        unselect.add(scene_.serialOf(block), block);
        scene_.unselect(block);
        d.history.record(std::move(unselect));
        return;
    }
    Revision select(Revision::select);
    select.add(scene_.serialOf(block), block);
    scene_.queueSelect(block);
    d.history.record(std::move(select));
}

void EditorPlayer::armBox(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = data();
    d.boxArmed = blockUnderPointer(mouse) == ECS::InvalidEntity;
    d.boxStart = glm::ivec2(mouse.posX, mouse.posY);
}

void EditorPlayer::followBox(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = data();
    if (d.mode != EditorMode::boxSelecting) {
        const bool farEnough = std::abs(mouse.posX - d.boxStart.x) >= kBoxThreshold
                            || std::abs(mouse.posY - d.boxStart.y) >= kBoxThreshold;
        if (!farEnough)
            return;
        d.mode = EditorMode::boxSelecting;
        d.boxArmed = false;
    }
    host->showSelectionBox(glm::vec2(d.boxStart), pointerPixel(mouse));
}

void EditorPlayer::finishBox(const Engine::MouseState& mouse, bool shift)
{
    EditorDataComponent& d = data();
    host->hideSelectionBox();
    d.mode = EditorMode::idle;
    host->closeAddDropdown();

    const EditorView::PixelBox box = EditorView::PixelBox::spanning(glm::vec2(d.boxStart), pointerPixel(mouse));
    const CameraData& camera = cameraData();
    const glm::vec3 eye = cameraPosition();
    std::set<ECS::EntityId> inside;
    for (const ECS::EntityId block : scene_.map().qubeIDs) {
        // A block made in this update has its transform only after the refresh.
        if (!scene_.isLiveBlock(block) || !scene_.world().hasComponent<TransformComponent>(block))
            continue;
        const auto pixel = EditorView::projectToWindow(camera, eye, scene_.poseOf(block).position);
        if (pixel && box.contains(*pixel))
            inside.insert(block);
    }

    // One group: what leaves the selection and what joins it, so one undo restores the old one.
    Revision unselect(Revision::unselect);
    Revision select(Revision::select);
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    if (!shift) {
        for (const auto& pair : selected) {
            if (inside.count(pair.first) == 0) {
                unselect.add(scene_.serialOf(pair.first), pair.first);
                scene_.unselect(pair.first);
            }
        }
    }
    for (const ECS::EntityId block : inside) {
        if (selected.count(block) != 0)
            continue;
        select.add(scene_.serialOf(block), block);
        scene_.queueSelect(block);
    }
    data().history.record(std::move(unselect), std::move(select));
}

void EditorPlayer::frameSelection()
{
    EditorDataComponent& d = data();
    if (d.selections.empty())
        return;
    glm::vec3 low(std::numeric_limits<float>::max());
    glm::vec3 high(std::numeric_limits<float>::lowest());
    for (const auto& pair : d.selections.selectionToEntity) {
        const glm::mat4 m = scene_.selectionPose(pair.first).matrix();
        for (int corner = 0; corner < 8; ++corner) {
            const glm::vec4 local((corner & 1) ? 0.5f : -0.5f, (corner & 2) ? 0.5f : -0.5f,
                                  (corner & 4) ? 0.5f : -0.5f, 1.0f);
            const glm::vec3 p(m * local);
            low = glm::min(low, p);
            high = glm::max(high, p);
        }
    }
    ECS::EntityManager& world = scene_.world();
    const ECS::EntityId camera = entities.editorCamera;
    if (!world.hasComponent<TransformComponent>(camera))
        return;
    const CameraData& view = cameraData();
    float eyeHeight = 0.0f;
    if (world.hasComponent<CameraModificationComponent>(camera))
        eyeHeight = world.getComponent<CameraModificationComponent>(camera).offset.z;
    float lowestEye = std::numeric_limits<float>::lowest();
    if (world.hasComponent<CameraZclampComponent>(camera))
        lowestEye = world.getComponent<CameraZclampComponent>(camera).minZ + eyeHeight;
    const glm::vec3 direction = Engine::Mathe::safeNormalize(view.center - view.eye);
    const EditorView::Framing framing = EditorView::frameBox(low, high, direction, view, lowestEye);

    TransformComponent& place = world.getComponent<TransformComponent>(camera);
    place.position = framing.eye - glm::vec3(0.0f, 0.0f, eyeHeight);
    place.copyToPrevious();
    if (framing.direction != direction && world.hasComponent<CameraModificationComponent>(camera)) {
        auto& angles = world.getComponent<CameraModificationComponent>(camera);
        angles.yaw = angles.previousYaw = glm::degrees(std::atan2(framing.direction.y, framing.direction.x));
        angles.pitch = angles.previousPitch = glm::degrees(std::asin(framing.direction.z));
    }
}

void EditorPlayer::deleteSelection()
{
    EditorDataComponent& d = data();
    Revision destroy(Revision::destroy);
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    for (const auto& pair : selected) {
        if (!scene_.isLiveBlock(pair.first))
            continue;
        destroy.add(scene_.serialOf(pair.first), pair.first, scene_.poseOf(pair.first));
        scene_.destroyBlock(pair.first);
    }
    scene_.clearSelection();
    d.history.record(std::move(destroy));
    scene_.map().rebuildPending = true;
}

void EditorPlayer::resetSelection(int which)
{
    EditorDataComponent& d = data();
    if (d.selections.empty())
        return;
    Revision modify(Revision::modify);
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    for (const auto& pair : selected) {
        const ECS::EntityId block = pair.first;
        if (!scene_.isLiveBlock(block))
            continue;
        const BlockPose before = scene_.poseOf(block);
        BlockPose after = before;
        if (which == 0)
            after.scale = glm::vec3(1.0f);
        else if (which == 1)
            after.rotation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
        else
            after.position = glm::vec3(0.0f);
        modify.add(scene_.serialOf(block), block, before);
        scene_.setBlockPose(block, after);
    }
    d.history.record(std::move(modify));
    scene_.map().rebuildPending = true;
}

void EditorPlayer::undo()
{
    if (undoNewestGroup(scene_) == UndoResult::tooManyBlocks)
        host->showMessage(kTooManyBlocksText);
}

void EditorPlayer::redo()
{
    if (redoNewestGroup(scene_) == UndoResult::tooManyBlocks)
        host->showMessage(kTooManyBlocksText);
}

// --- Pointer ray --------------------------------------------------------------------------------

TransformDrag::DragRay EditorPlayer::pointerRay(const Engine::MouseState& mouse)
{
    const CameraData& camera = cameraData();
    TransformDrag::DragRay ray;
    ray.eye = cameraPosition();
    ray.direction = TransformDrag::pointerDirection(camera, float(mouse.posX), float(mouse.posY));
    ray.viewDirection = Engine::Mathe::safeNormalize(camera.center - camera.eye);
    ray.up = camera.up;
    return ray;
}

glm::vec3 EditorPlayer::cameraPosition()
{
    ECS::EntityManager& world = scene_.world();
    if (!world.hasComponent<TransformComponent>(entities.editorCamera))
        return cameraData().eye;
    return world.getComponent<TransformComponent>(entities.editorCamera).position;
}

CameraData& EditorPlayer::cameraData()
{
    return scene_.world().getComponent<CameraComponent>(entities.editorCamera).current;
}

} // namespace Game
