#include "game/editor/transformdrag.h"

#include "engine/mathe/mathe.h"
#include "game/editor/editordatacomponent.h"

#include <cmath>

namespace Game::TransformDrag {
namespace {

using Engine::Mathe::safeNormalize;

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool isFinite(const glm::quat& q)
{
    return std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z) && std::isfinite(q.w);
}
bool isAxisHandle(std::int32_t handle) { return handle >= EditorHandle::x && handle <= EditorHandle::z; }

const glm::vec3& axisOf(const DragFrame& frame, std::int32_t handle) { return frame.axes[handle - 1]; }

// A drag amount snapped to `step`: counted from the start, or, absolute, so that `reference` plus
// the amount lands on the grid.
float snapAmount(float amount, float step, const Snap& snap, float reference)
{
    if (!snap.enabled)
        return amount;
    if (!snap.absolute)
        return Engine::Mathe::snapToStep(amount, step);
    return Engine::Mathe::snapToStep(reference + amount, step) - reference;
}

} // namespace

glm::vec3 pointerDirection(const CameraData& camera, float x, float y)
{
    const glm::vec3 f = safeNormalize(camera.center - camera.eye);
    const glm::vec3 r = safeNormalize(glm::cross(f, camera.up));
    const glm::vec3 u = safeNormalize(glm::cross(r, f));
    const float halfWidth = camera.width / 2.0f;
    const float halfHeight = camera.height / 2.0f;
    if (!(halfWidth > 0.0f) || !(halfHeight > 0.0f))
        return f;
    const float sx = (x - halfWidth) / halfWidth;
    const float sy = (y - halfHeight) / halfHeight;
    const float e = camera.nearPlane * std::tan(camera.fieldOfView * 3.14159265358979f / 180.0f / 2.0f);
    return safeNormalize(f * camera.nearPlane + r * (e * (camera.width / camera.height) * sx) + u * (e * sy));
}

glm::mat4 GizmoPose::matrix() const
{
    glm::mat4 m;
    Component::TransformComponent::writeMatrix(m, position, rotation, scale);
    return m;
}

std::optional<GizmoPose> gizmoForSelection(const std::vector<std::pair<std::uint32_t, BlockPose>>& selection,
                                           std::uint32_t tool, std::uint32_t orientation)
{
    if (selection.empty())
        return std::nullopt;
    GizmoPose gizmo;
    glm::vec3 sum(0.0f);
    for (const auto& entry : selection)
        sum += entry.second.position;
    gizmo.position = sum / float(selection.size());
    const bool alongBlock = orientation == EditorOrientation::normal
                         || (selection.size() == 1 && tool == EditorTool::scale);
    if (alongBlock)
        gizmo.rotation = glm::normalize(selection.back().second.rotation);
    return gizmo;
}

DragFrame DragFrame::fromMatrix(const glm::mat4& start)
{
    DragFrame frame;
    frame.centre = glm::vec3(start[3]);
    glm::mat3 turn;
    for (int c = 0; c < 3; ++c) {
        frame.axes[c] = safeNormalize(glm::vec3(start[c]));
        turn[c] = frame.axes[c];
    }
    frame.rotation = glm::quat_cast(turn);
    return frame;
}

DragHits intersectPlanes(const DragFrame& frame, std::int32_t handle, const DragRay& ray)
{
    using Engine::Mathe::rayPlaneHit;
    DragHits hits;
    const glm::vec3& P = frame.centre;
    if (isAxisHandle(handle)) {
        const glm::vec3& A = axisOf(frame, handle);
        const glm::vec3& V = frame.axes[handle % 3];
        const glm::vec3& W = frame.axes[(handle + 1) % 3];
        const glm::vec3 n = Engine::Mathe::facingPlaneNormal(ray.eye, P, V, W);
        if (n != glm::vec3(0.0f)) {
            if (const auto h = rayPlaneHit(ray.eye, ray.direction, P, n))
                hits.axisPoint = Engine::Mathe::pointOntoAxis(*h, P, n, A);
        }
        const glm::vec3 rotationNormal = glm::dot(ray.eye - P, A) < 0.0f ? -A : A;
        hits.rotationPoint = rayPlaneHit(ray.eye, ray.direction, P, rotationNormal);
    }
    hits.viewPoint = rayPlaneHit(ray.eye, ray.direction, P, -ray.viewDirection);
    return hits;
}

void takeAnchor(DragAnchor& anchor, const DragFrame& frame, std::int32_t handle, const DragHits& hits)
{
    const glm::vec3& P = frame.centre;
    if (isAxisHandle(handle)) {
        if (hits.axisPoint) {
            anchor.offset = P - *hits.axisPoint;
            anchor.startDistance = glm::length(*hits.axisPoint - P);
        }
        if (hits.rotationPoint)
            anchor.rotationStart = *hits.rotationPoint;
    } else if (handle == EditorHandle::centre && hits.viewPoint) {
        anchor.offset = P - *hits.viewPoint;
    }
}

GizmoPose dragGizmo(std::uint32_t tool, std::int32_t handle, const DragFrame& frame, const DragAnchor& anchor,
                    const DragHits& hits, const GizmoPose& previous, const Snap& snap)
{
    GizmoPose gizmo = previous;
    const bool axisHandle = isAxisHandle(handle);
    const glm::vec3& P = frame.centre;
    if (tool == EditorTool::translate) {
        if (axisHandle && hits.axisPoint) {
            gizmo.position = *hits.axisPoint + anchor.offset;
            if (snap.enabled) {
                const glm::vec3& A = axisOf(frame, handle);
                const float along = glm::dot(gizmo.position - P, A);
                gizmo.position = P + A * snapAmount(along, kTranslateStep, snap, glm::dot(snap.reference.position, A));
            }
        } else if (handle == EditorHandle::centre && hits.viewPoint) {
            gizmo.position = *hits.viewPoint + anchor.offset;
            if (snap.enabled) {
                const glm::vec3 moved = gizmo.position - P;
                gizmo.position = P;
                for (const glm::vec3& axis : frame.axes) {
                    gizmo.position += axis * snapAmount(glm::dot(moved, axis), kTranslateStep, snap,
                                                        glm::dot(snap.reference.position, axis));
                }
            }
        }
    } else if (tool == EditorTool::rotate) {
        if (axisHandle && hits.rotationPoint) {
            const glm::vec3& A = axisOf(frame, handle);
            float angle = Engine::Mathe::angleAbout(anchor.rotationStart - P, *hits.rotationPoint - P, A);
            angle = snapAmount(angle, kRotateStep, snap, Engine::Mathe::twistAngle(snap.reference.rotation, A));
            gizmo.rotation = glm::angleAxis(angle, A) * frame.rotation;
        }
    } else if (tool == EditorTool::scale && axisHandle && hits.axisPoint) {
        gizmo.scale = glm::vec3(1.0f);
    }
    return gizmo;
}

std::optional<SelectionChange> selectionChange(std::uint32_t tool, std::int32_t handle, const DragFrame& frame,
                                               const DragAnchor& anchor, const DragHits& hits, const GizmoPose& gizmo,
                                               const DragRay& ray, const Snap& snap)
{
    SelectionChange change;
    const glm::vec3& P = frame.centre;
    if (tool == EditorTool::translate) {
        change.translation = gizmo.position - P;
        // Along the dragged axis only: the point found on the axis carries rounding across it.
        if (isAxisHandle(handle)) {
            const glm::vec3& A = axisOf(frame, handle);
            change.translation = A * glm::dot(change.translation, A);
        }
    } else if (tool == EditorTool::rotate) {
        change.rotation = gizmo.rotation * glm::inverse(frame.rotation);
    } else if (isAxisHandle(handle)) {
        if (!hits.axisPoint)
            return std::nullopt;
        const glm::vec3& A = axisOf(frame, handle);
        const glm::vec3 along = *hits.axisPoint - P;
        change.axisAmount = Engine::Mathe::sign(glm::dot(along, A)) * glm::length(along) - anchor.startDistance;
        // The scale axis that the handle changes is the gizmo's axis of the same number.
        change.axisAmount =
            snapAmount(change.axisAmount, kScaleStep, snap, snap.reference.scale[static_cast<int>(handle) - 1]);
        change.worldScale = A * change.axisAmount;
        change.scale = glm::inverse(glm::mat3_cast(gizmo.rotation)) * change.worldScale;
    } else {
        if (!hits.viewPoint)
            return std::nullopt;
        change.centreAmount = glm::dot(*hits.viewPoint - P, ray.up);
        change.centreAmount = snapAmount(change.centreAmount, kScaleStep, snap, snap.reference.scale.x);
        change.scale = glm::vec3(change.centreAmount);
    }
    return change;
}

std::optional<BlockPose> rebuildPlace(const BlockPose& saved, const SelectionChange& change, std::uint32_t tool,
                                      std::int32_t handle, std::uint32_t pivot, const DragFrame& frame, float minScale)
{
    BlockPose place = saved;
    const glm::vec3& P = frame.centre;
    if (pivot == EditorPivot::global && place.position != P) {
        if (tool == EditorTool::rotate) {
            place.position = P + change.rotation * (place.position - P);
        } else if (tool == EditorTool::scale && isAxisHandle(handle)) {
            if (change.axisAmount != 0.0f) {
                const float side = glm::dot(safeNormalize(axisOf(frame, handle)), safeNormalize(place.position - P));
                place.position += change.worldScale * Engine::Mathe::sign(side);
            }
        } else if (tool == EditorTool::scale) {
            place.position += safeNormalize(place.position - P) * change.centreAmount;
        }
    }
    place.position += change.translation;
    if (tool == EditorTool::rotate)
        place.rotation = change.rotation * place.rotation;
    place.scale = glm::max(place.scale + change.scale, glm::vec3(minScale));
    if (!isFinite(place.position) || !isFinite(place.scale) || !isFinite(place.rotation))
        return std::nullopt;
    return place;
}

} // namespace Game::TransformDrag
