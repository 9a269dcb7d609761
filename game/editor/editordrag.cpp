#include "game/editor/editordrag.h"

#include <map>

namespace Game {

using Component::EditorDataComponent;

EditorDrag::EditorDrag(EditorScene& scene, EditorCamera& camera, EditorHost& host)
    : scene(&scene)
    , camera(&camera)
    , host(&host)
{
}

void EditorDrag::updateGizmo()
{
    EditorDataComponent& d = scene->data();
    if (d.mode == EditorMode::dragging) {
        d.gizmoShown = true;
        return;
    }
    gizmoScratch.clear();
    for (const auto& pair : d.selections.selectionToEntity)
        gizmoScratch.emplace_back(pair.first, scene->selectionPose(pair.first));
    const auto gizmo = TransformDrag::gizmoForSelection(gizmoScratch, d.tool, d.orientation);
    d.gizmoShown = gizmo.has_value();
    if (!gizmo)
        return;
    d.gizmoPosition = gizmo->position;
    d.gizmoRotation = gizmo->rotation;
    d.gizmoScale = gizmo->scale;
    d.gizmoMatrix = gizmo->matrix();
}

std::uint32_t EditorDrag::hoverHandles(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = scene->data();
    // Reading the picking image waits for the GPU: only while a gizmo is shown.
    const std::uint32_t hovered = d.gizmoShown ? host->pickHandle(mouse.posX, mouse.posY) : 0;
    for (std::uint32_t i = 0; i < d.handleColours.size(); ++i) {
        auto& colour = d.handleColours[i];
        colour.current = hovered == i + 1 ? colour.hover : colour.normal;
    }
    return hovered;
}

void EditorDrag::start(std::int32_t handle, const Engine::MouseState& mouse)
{
    EditorDataComponent& d = scene->data();
    d.axis = handle;
    d.dragStartMatrix = d.gizmoMatrix;
    d.mode = EditorMode::dragging;
    dragPose = TransformDrag::GizmoPose{d.gizmoPosition, d.gizmoRotation, d.gizmoScale};

    const auto frame = TransformDrag::DragFrame::fromMatrix(d.dragStartMatrix);
    const auto hits = TransformDrag::intersectPlanes(frame, handle, camera->pointerRay(mouse));
    TransformDrag::DragAnchor anchor{d.startOffset, d.startDistance, d.rotationStart};
    TransformDrag::takeAnchor(anchor, frame, handle, hits);
    d.startOffset = anchor.offset;
    d.startDistance = anchor.startDistance;
    d.rotationStart = anchor.rotationStart;
}

TransformDrag::Snap EditorDrag::snap(bool onGrid) const
{
    const EditorDataComponent& d = scene->data();
    TransformDrag::Snap snap;
    snap.enabled = d.snapping;
    snap.absolute = onGrid;
    // The copy with the highest id: the one the gizmo takes its turn from.
    if (!d.selections.savedTransforms.empty())
        snap.reference = d.selections.savedTransforms.rbegin()->second;
    return snap;
}

void EditorDrag::follow(const Engine::MouseState& mouse, const TransformDrag::Snap& snap)
{
    EditorDataComponent& d = scene->data();
    const auto frame = TransformDrag::DragFrame::fromMatrix(d.dragStartMatrix);
    const auto ray = camera->pointerRay(mouse);
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
            scene->setSelectionPose(copy, *place, true);
    }
}

bool EditorDrag::finish(bool duplicate)
{
    if (duplicate)
        return duplicateSelection();
    EditorDataComponent& d = scene->data();
    Revision modify(Revision::modify);
    // Copy first: setBlockPose rewrites the saved places as it goes.
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    for (const auto& [block, copy] : selected) {
        if (!scene->isLiveBlock(block))
            continue;
        modify.add(scene->serialOf(block), block, scene->poseOf(block));
        scene->setBlockPose(block, scene->selectionPose(copy));
    }
    d.history.record(std::move(modify));
    scene->map().rebuildPending = true;
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
    return true;
}

bool EditorDrag::duplicateSelection()
{
    EditorDataComponent& d = scene->data();
    const std::uint32_t count = static_cast<std::uint32_t>(d.selections.size());
    if (2 * count > scene->freeEntitySlots()) {
        // Each copy needs a block and its own highlight: refuse all rather than some.
        abandon();
        return false;
    }
    Revision unselect(Revision::unselect);
    Revision create(Revision::create);
    std::vector<ECS::EntityId> copies;
    for (const auto& [block, copy] : d.selections.entityToSelection) {
        unselect.add(scene->serialOf(block), block);
        const ECS::EntityId made = scene->duplicate(block, scene->selectionPose(copy));
        if (made != ECS::InvalidEntity)
            copies.push_back(made);
    }
    for (const ECS::EntityId made : copies) {
        create.add(scene->serialOf(made), made);
        scene->queueSelect(made);
    }
    scene->clearSelection();
    d.history.record(std::move(unselect), std::move(create));
    scene->map().rebuildPending = true;
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
    return true;
}

void EditorDrag::abandon()
{
    EditorDataComponent& d = scene->data();
    if (d.mode == EditorMode::dragging)
        scene->restoreSelectionCopies();
    d.axis = EditorHandle::none;
    d.mode = EditorMode::idle;
}

} // namespace Game
