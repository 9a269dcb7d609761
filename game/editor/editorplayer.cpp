#include "game/editor/editorplayer.h"

#include "game/editor/editorundo.h"
#include "game/physics/raycast.h"
#include "game/transform/transformcomponent.h"

#include <glm/trigonometric.hpp>

#include <cmath>
#include <vector>

namespace Game {

using Component::EditorDataComponent;
using Component::TransformComponent;

EditorPlayer::EditorPlayer(ECS::EntityManager& world, GameMap& map, GamePhysics::PhysicsWorld& physics,
                           Entities entities, GameStateRecord& state, EditorHost& host, EditorLooks looks)
    : scene_(world, map, entities.editor, std::move(looks))
    , camera_(scene_, entities.editorCamera, state, host)
    , playTest_(world, entities.player, camera_, state, host)
    , selector_(scene_, physics, camera_, host)
    , gateTools_(scene_, selector_, host)
    , drag_(scene_, camera_, host)
    , physics(&physics)
    , entities(entities)
    , state(&state)
    , host(&host)
{
}

// --- The tick -----------------------------------------------------------------------------------

void EditorPlayer::editorTick(const Engine::KeyboardState& keyboard, Engine::MouseState& mouse)
{
    const EditorInput commands = EditorInput::decode(keyboard, mouse);
    const TickInput in{&commands, &mouse};
    data().serials.forgetVanished([this](ECS::EntityId block) { return scene_.isLiveBlock(block); });
    const bool modal = host->modalOpen();
    // A question over a play-test (closing the window, say) needs the pointer back to answer it.
    if (modal && playTesting())
        playTest_.stop(mouse);
    if (modal || playTesting()) {
        camera_.setFlight(false);
        // Whatever was in progress cannot finish while the view is blocked.
        abandonDragOrPlacement();
    } else {
        scene_.drainPendingSelection();
        if (!state->paused && commands.nextTool)
            setTool((data().tool + 1) % 3);
        if (!state->paused) {
            updateGizmo();
            host->showTool(data().tool);
        }
        camera_.followButtons(*in.commands, *in.mouse);
        editingStep(in);
        escape(in);
    }
    if (!modal)
        playTestKeys(in);
}

void EditorPlayer::editingStep(const TickInput& in)
{
    const EditorInput& cmd = *in.commands;
    EditorDataComponent& d = data();
    const bool pointerBusy = d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting;
    camera_.setFlight(!state->paused && !pointerBusy && !cmd.flightHeld);
    if (state->paused)
        return;
    shortcutKeys(cmd);
    if (d.mode == EditorMode::boxSelecting) {
        // The box lives in window pixels: it may end over the top bar as well.
        if (cmd.leftReleased)
            selector_.finishBox(*in.mouse, cmd.additive);
        else
            selector_.followBox(*in.mouse);
        return;
    }
    if (state->mouseOverUI) {
        // A release over the UI ends whatever the left button was doing in the 3-D view.
        if (cmd.leftReleased) {
            abandonDragOrPlacement();
            d.ignoreRelease = false;
        }
        return;
    }
    commandKeys(cmd);
    if (pointerStep(in))
        return;
    if (cmd.leftReleased)
        leftRelease(in);
    if (cmd.deleteSelection && d.mode == EditorMode::idle && !d.selections.empty())
        deleteSelection();
    if (cmd.addBlock && d.mode == EditorMode::idle)
        startAddingBlock();
    if (d.mode == EditorMode::idle)
        gateTools_.numberInput(cmd.numberStep, *in.mouse);
}

bool EditorPlayer::pointerStep(const TickInput& in)
{
    const EditorInput& cmd = *in.commands;
    const Engine::MouseState& mouse = *in.mouse;
    EditorDataComponent& d = data();
    const std::uint32_t handle = drag_.hoverHandles(mouse);
    if (cmd.leftPressed && d.mode == EditorMode::idle) {
        if (handle >= 1 && handle <= 4)
            drag_.start(static_cast<std::int32_t>(handle), mouse);
        else if (!d.cameraDrag)
            selector_.armBox(mouse);
    }
    if (d.boxArmed && cmd.leftDown && d.mode == EditorMode::idle && !d.cameraDrag) {
        selector_.followBox(mouse);
        if (d.mode == EditorMode::boxSelecting)
            return true;
    }
    if (d.mode == EditorMode::dragging)
        drag_.follow(mouse, drag_.snap(cmd.onGrid));
    if (d.mode == EditorMode::placing)
        followPlacement(mouse);
    return false;
}

void EditorPlayer::leftRelease(const TickInput& in)
{
    const EditorInput& cmd = *in.commands;
    EditorDataComponent& d = data();
    d.boxArmed = false;
    if (d.ignoreRelease) {
        d.ignoreRelease = false;
    } else if (d.mode == EditorMode::placing) {
        finishPlacement();
    } else if (d.mode == EditorMode::dragging) {
        if (!drag_.finish(cmd.duplicate))
            host->showMessage(kTooManyBlocksText);
    } else if (!d.cameraDrag) {
        selector_.click(*in.mouse, cmd.additive);
    }
    host->closeAddDropdown();
}

void EditorPlayer::shortcutKeys(const EditorInput& cmd)
{
    // Keys that need no pointer work wherever the pointer is, over the top bar and the help too.
    if (cmd.toggleHelp)
        host->toggleHelp();
    if (cmd.toggleSnapping) {
        toggleSnapping();
        host->showSnapping(data().snapping);
    }
    if (cmd.frameSelection && data().mode == EditorMode::idle)
        frameSelection();
}

void EditorPlayer::commandKeys(const EditorInput& cmd)
{
    if (data().mode != EditorMode::idle)
        return;
    if (cmd.redo)
        redo();
    else if (cmd.undo)
        undo();
    if (cmd.resetScale)
        resetSelection(0);
    if (cmd.resetRotation)
        resetSelection(1);
    if (cmd.resetPosition)
        resetSelection(2);
}

void EditorPlayer::escape(const TickInput& in)
{
    if (!in.commands->escape)
        return;
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::placing) {
        abandonDragOrPlacement();
    } else if (d.mode == EditorMode::dragging || d.mode == EditorMode::boxSelecting) {
        abandonDragOrPlacement();
        if (in.commands->leftDown)
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
    return playTest_.active();
}

void EditorPlayer::playTestKeys(const TickInput& in)
{
    if (!playTest_.available() || state->paused)
        return;
    const bool toggle = in.commands->playTestToggle;
    if (playTest_.active()) {
        if (toggle || in.commands->escape)
            playTest_.stop(*in.mouse);
    } else if (toggle) {
        abandonDragOrPlacement();
        data().gizmoShown = false;
        playTest_.start(*in.mouse, scene_.gates().course());
    }
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
    startPlacing(std::nullopt);
}

void EditorPlayer::startAddingGate(GateKind kind)
{
    abandonDragOrPlacement();
    if (!gateTools_.selectExisting(kind))
        startPlacing(kind);
}

void EditorPlayer::startPlacing(std::optional<GateKind> gate)
{
    abandonDragOrPlacement();
    selector_.unselectAll();
    const BlockPose pose = gate ? EditorGates::newPose(*gate, glm::vec3(0.0f), 0.0f) : BlockPose{};
    if (scene_.createPreview(pose, gate.has_value()) == ECS::InvalidEntity) {
        host->showMessage(kTooManyBlocksText);
        return;
    }
    data().placingGate = gate;
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
    camera_.setEnabled(enabled);
}

void EditorPlayer::frameSelection()
{
    camera_.frameSelection();
}

// --- Gizmo and drags ----------------------------------------------------------------------------

void EditorPlayer::updateGizmo()
{
    drag_.updateGizmo();
}

void EditorPlayer::abandonDragOrPlacement()
{
    EditorDataComponent& d = data();
    if (d.mode == EditorMode::placing || !d.placing.empty())
        scene_.destroyPreviews();
    d.placingGate.reset();
    if (d.mode == EditorMode::boxSelecting)
        host->hideSelectionBox();
    d.boxArmed = false;
    drag_.abandon();
}

// --- Placing, selecting, deleting, resets, undo -------------------------------------------------

void EditorPlayer::followPlacement(const Engine::MouseState& mouse)
{
    const auto ray = camera_.pointerRay(mouse);
    const glm::vec3 end = ray.eye + ray.direction * kPlacingReach;
    const auto hit = GamePhysics::RayCast::closestHit(*physics, ray.eye, end, GamePhysics::RayMask::surfaces);
    const glm::vec3 centre = hit ? hit->point : end;
    const std::optional<GateKind> gate = data().placingGate;
    // A gate stands on the point, facing away from the camera.
    const float yaw = glm::degrees(std::atan2(ray.direction.y, ray.direction.x));
    for (const ECS::EntityId preview : data().placing) {
        if (!scene_.world().hasComponent<TransformComponent>(preview))
            continue;
        TransformComponent& transform = scene_.world().getComponent<TransformComponent>(preview);
        if (gate)
            EditorGates::newPose(*gate, centre, yaw).applyInterpolated(transform);
        else
            transform.position = centre;
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
    const std::optional<GateKind> gate = d.placingGate;
    d.placingGate.reset();
    Revision create(Revision::create);
    for (const BlockPose& pose : poses) {
        const ECS::EntityId block =
            gate ? scene_.createGate(Gate{*gate, 0, EditorGates::boxOf(pose)}) : scene_.createBlock(pose);
        if (gate && block == ECS::InvalidEntity)
            host->showMessage(kCourseFullText);
        if (block != ECS::InvalidEntity)
            create.add(scene_.serialOf(block), block);
    }
    d.history.record(std::move(create));
    scene_.map().rebuildPending = true;
}

void EditorPlayer::deleteSelection()
{
    EditorDataComponent& d = data();
    Revision destroy(Revision::destroy);
    std::vector<ECS::EntityId> selected;
    for (const auto& pair : d.selections.entityToSelection)
        selected.push_back(pair.first);
    for (const ECS::EntityId item : EditorGateTools::destroyOrder(scene_, std::move(selected))) {
        if (!scene_.isLiveBlock(item))
            continue;
        destroy.add(scene_.serialOf(item), item, scene_.poseOf(item));
        scene_.destroyBlock(item);
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

} // namespace Game
