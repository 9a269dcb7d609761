#pragma once
// The editor player: one tick of the map editor while the game is in the editor state. It decodes
// the tick's input (EditorInput) and ticks its parts in order: the camera (EditorCamera), the
// gizmo and handle drags (EditorDrag), selecting (EditorSelector) and play-testing
// (EditorPlayTest); itself it adds, deletes and resets blocks, undoes and redoes, and handles
// Escape and the top bar's actions.
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/editor/editorcamera.h"
#include "game/editor/editordrag.h"
#include "game/editor/editorhost.h"
#include "game/editor/editorgatetools.h"
#include "game/editor/editorinput.h"
#include "game/editor/editorplaytest.h"
#include "game/editor/editorscene.h"
#include "game/editor/editorselector.h"
#include "game/core/gamestaterecord.h"

#include <cstdint>

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics

namespace Game {

class EditorPlayer {
public:
    // Text of the pop-up that refuses blocks beyond what the entity ids can hold.
    static constexpr const char* kTooManyBlocksText = "ERROR:\nToo many blocks.";
    // Text of the pop-up that refuses a gate beyond Course::kMaxGates.
    static constexpr const char* kCourseFullText = "ERROR:\nThe course is full.";
    // Length of the ray that places new blocks.
    static constexpr float kPlacingReach = 10.0f;

    struct Entities {
        ECS::EntityId editor = ECS::InvalidEntity;
        ECS::EntityId editorCamera = ECS::InvalidEntity;
        ECS::EntityId player = ECS::InvalidEntity;
    };

    EditorPlayer(ECS::EntityManager& world, GameMap& map, GamePhysics::PhysicsWorld& physics, Entities entities,
                 GameStateRecord& state, EditorHost& host, EditorLooks looks = {});

    // One editor tick with this step's input (the mouse's gathered motion may be discarded).
    void editorTick(const Engine::KeyboardState& keyboard, Engine::MouseState& mouse);

    // --- Top-bar actions ----------------------------------------------------------------------
    void setTool(std::uint32_t tool);
    void togglePivot();
    void toggleOrientation();
    // Drags move in steps, or freely (also the G key).
    void toggleSnapping();
    // Clears the selection and starts placing one new block under the pointer (also the Insert key).
    void startAddingBlock();
    // The same for a gate; a start or finish that the course has already is selected instead.
    void startAddingGate(GateKind kind);
    // "LOCAL" / "GLOBAL" and "WORLD" / "NORMAL", as the toggles show them.
    static const char* pivotName(std::uint32_t pivot);
    static const char* orientationName(std::uint32_t orientation);
    // "ON" / "OFF", as the snapping toggle shows it.
    static const char* snappingName(bool snapping);

    // --- Editing commands (keys and tests) ----------------------------------------------------
    // Ctrl+Z and Ctrl+Y: take back the newest step, or carry out again the newest step taken back.
    void undo();
    void redo();
    // F: moves the editor camera back along its view until the whole selection is in view.
    void frameSelection();
    // The blocks differ from the map last saved, loaded or made new.
    bool hasUnsavedChanges();

    // --- Game transitions ---------------------------------------------------------------------
    // The map's blocks were replaced (editor opened, map loaded, New, editor left): the editor
    // forgets its selection, history and anything in progress.
    void resetForNewMap();
    // Leaving the editor for the main menu: the selection goes, play-testing and drags end.
    void leaveEditor();
    // Enables the editor camera for editing (wheel zoom; keyboard flight follows each tick;
    // turning and panning wait for their mouse buttons) or disables all its drives.
    void setEditorCameraEnabled(bool enabled);

    bool playTesting();
    // Recomputes the gizmo from the selection copies (no gizmo for an empty selection).
    void updateGizmo();

    EditorScene& scene() { return scene_; }
    EditorGateTools& gateTools() { return gateTools_; }
    ECS::EntityId cameraEntity() const { return entities.editorCamera; }
    Component::EditorDataComponent& data() { return scene_.data(); }

private:
    struct TickInput {
        const EditorInput* commands;
        Engine::MouseState* mouse;
    };

    void editingStep(const TickInput& in);
    // Hover, presses and what the left button does while held; true when a box selection began.
    bool pointerStep(const TickInput& in);
    void leftRelease(const TickInput& in);
    void shortcutKeys(const EditorInput& cmd);
    // Undo, redo and the resets, only while nothing is in progress.
    void commandKeys(const EditorInput& cmd);
    void escape(const TickInput& in);
    void playTestKeys(const TickInput& in);

    // Ends a drag or a placement without applying it: copies back at their saved places, previews gone.
    void abandonDragOrPlacement();
    void startPlacing(std::optional<GateKind> gate);
    void followPlacement(const Engine::MouseState& mouse);
    void finishPlacement();
    void deleteSelection();
    void resetSelection(int which);

    EditorScene scene_;
    EditorCamera camera_;
    EditorPlayTest playTest_;
    EditorSelector selector_;
    EditorGateTools gateTools_;
    EditorDrag drag_;
    GamePhysics::PhysicsWorld* physics;
    Entities entities;
    GameStateRecord* state;
    EditorHost* host;
};

} // namespace Game
