#pragma once
// The editor camera: turned with the right button and panned with the middle one (the pointer
// wrapping round the window's edges meanwhile), flown with the keyboard, framed on the selection,
// and the source of the pointer ray that picks blocks and drags handles.
#include "engine/core/mousestate.h"
#include "game/camera/cameradata.h"
#include "game/core/gamestaterecord.h"
#include "game/editor/editorhost.h"
#include "game/editor/editorinput.h"
#include "game/editor/editorscene.h"
#include "game/editor/editortopbar.h"
#include "game/editor/transformdrag.h"

namespace Game {

class EditorCamera {
public:
    // Rows at the top of the window that a wrapping pointer skips: the top bar's, less its
    // two-pixel lower border.
    static constexpr int kTopBarRows = EditorTopBar::kHeight - 2;

    EditorCamera(EditorScene& scene, ECS::EntityId camera, GameStateRecord& state, EditorHost& host);

    ECS::EntityId entity() const { return camera; }

    // Starts turning or panning at a press in the 3-D view, ends it at the release, and wraps the
    // pointer while either button is held.
    void followButtons(const EditorInput& in, Engine::MouseState& mouse);
    // A pointer on the window's edge (or over the top bar) jumps to the opposite side, so turning
    // never stops at an edge.
    void wrapPointer(Engine::MouseState& mouse);
    // Keyboard flight.
    void setFlight(bool enabled);
    // Enables the camera for editing (wheel zoom; keyboard flight follows each tick; turning and
    // panning wait for their mouse buttons) or disables all its drives.
    void setEnabled(bool enabled);
    // Moves the camera back along its view until the whole selection is in view.
    void frameSelection();

    TransformDrag::DragRay pointerRay(const Engine::MouseState& mouse);
    glm::vec3 position();
    CameraData& data();

private:
    void frameBox(const glm::vec3& low, const glm::vec3& high);

    EditorScene* scene;
    ECS::EntityId camera;
    GameStateRecord* state;
    EditorHost* host;
};

} // namespace Game
