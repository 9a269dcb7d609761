#pragma once
// The gizmo and its handle drags: the gizmo placed on the selection every tick, the handle under
// the pointer lit, and a drag from press to release that moves the selection copies with the
// translate, rotate or scale tool (the arithmetic is TransformDrag's). At the release the blocks
// take over their copies' places, or with Ctrl stay where they were while copies take the places.
#include "engine/core/mousestate.h"
#include "game/editor/editorcamera.h"
#include "game/editor/editorhost.h"
#include "game/editor/editorscene.h"
#include "game/editor/transformdrag.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Game {

class EditorDrag {
public:
    EditorDrag(EditorScene& scene, EditorCamera& camera, EditorHost& host);

    // Recomputes the gizmo from the selection copies (no gizmo for an empty selection).
    void updateGizmo();
    // Colours the handle under the pointer for hovering and answers its id (0 for none).
    std::uint32_t hoverHandles(const Engine::MouseState& mouse);

    void start(std::int32_t handle, const Engine::MouseState& mouse);
    // How the drag in progress snaps this tick; `onGrid` lands it on the grid itself.
    TransformDrag::Snap snap(bool onGrid) const;
    void follow(const Engine::MouseState& mouse, const TransformDrag::Snap& snap);
    // Ends the drag, applying it; false when copies (`duplicate`) were refused for want of entity
    // ids, in which case the drag was abandoned.
    bool finish(bool duplicate);
    // Ends a drag without applying it: the copies go back to their saved places.
    void abandon();

private:
    bool duplicateSelection();

    EditorScene* scene;
    EditorCamera* camera;
    EditorHost* host;
    // The gizmo while a handle is dragged (kept from tick to tick).
    TransformDrag::GizmoPose dragPose;
    // The selection copies' places, kept so that placing the gizmo every tick allocates nothing.
    std::vector<std::pair<std::uint32_t, BlockPose>> gizmoScratch;
};

} // namespace Game
