#pragma once
// The arithmetic of the editor's handle drags and of the gizmo, as pure functions: the pointer
// ray, the three drag planes, the gizmo's pose while a handle is dragged, and each selected
// block's place rebuilt from its saved place. The drag always works from the gizmo as it stood
// at the press, so nothing accumulates from tick to tick.
#include "game/camera/cameradata.h"
#include "game/editor/blockpose.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace Game::TransformDrag {

// No scale axis shrinks below this.
constexpr float kMinScale = 0.1f;

// Snapping: translate in steps of half a unit, rotate in steps of 15°, scale in steps of a
// quarter unit (and never below one step).
constexpr float kTranslateStep = 0.5f;
constexpr float kRotateStep = 0.2617994f; // 15° in radians
constexpr float kScaleStep = 0.25f;

// How a drag snaps. Steps count from where the drag started, so blocks off the grid keep their
// offset; `absolute` snaps to the grid itself instead: the amount is chosen so that the reference
// block (the one the gizmo takes its turn from) lands on the grid, and the rest of the selection
// moves with it, keeping its layout.
struct Snap {
    bool enabled = false;
    bool absolute = false;
    BlockPose reference; // the reference block's saved place
};

// Direction of the ray from the camera's eye through the pointer at (x, y), y counted up from the
// window's bottom edge, for a camera of the data's size, near distance and vertical field of view.
glm::vec3 pointerDirection(const CameraData& camera, float x, float y);

// The gizmo's pose: where it stands, how it is turned, its size.
struct GizmoPose {
    glm::vec3 position{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f};

    glm::mat4 matrix() const;
};

// The gizmo over a selection given as (selection entity id, place) pairs in ascending id order:
// at the mean position; turned like the copy with the highest id for the "NORMAL" orientation
// (or with the scale tool and one block), else unturned. Nothing for an empty selection.
std::optional<GizmoPose> gizmoForSelection(const std::vector<std::pair<std::uint32_t, BlockPose>>& selection,
                                           std::uint32_t tool, std::uint32_t orientation);

// The gizmo at the press: centre P, rotation R0 and its three unit axes.
struct DragFrame {
    glm::vec3 centre{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    static DragFrame fromMatrix(const glm::mat4& start);
};

// The pointer ray and the camera of one tick.
struct DragRay {
    glm::vec3 eye{0.0f};        // E
    glm::vec3 direction{0.0f};  // D
    glm::vec3 viewDirection{1, 0, 0}; // F
    glm::vec3 up{0, 0, 1};      // U
};

// Where the ray meets the drag planes through the frame's centre this tick; a plane the ray does
// not meet from its front leaves its value empty.
struct DragHits {
    std::optional<glm::vec3> axisPoint;     // Q: the axis plane's hit brought onto the axis line
    std::optional<glm::vec3> rotationPoint; // H_r
    std::optional<glm::vec3> viewPoint;     // H_v
};
DragHits intersectPlanes(const DragFrame& frame, std::int32_t handle, const DragRay& ray);

// What the press fixed: start offset O, start distance d0 and rotation start point S.
struct DragAnchor {
    glm::vec3 offset{0.0f};
    float startDistance = 0.0f;
    glm::vec3 rotationStart{0.0f};
};
// Takes the anchor values from the hits of the press; values whose plane was missed stay as they were.
void takeAnchor(DragAnchor& anchor, const DragFrame& frame, std::int32_t handle, const DragHits& hits);

// The gizmo's pose for this tick of a drag, from its pose of the previous tick: a value whose
// plane was missed leaves that part of the pose as it was. With snapping, the move along the
// axis (or along each of the gizmo's axes for the centre handle) and the turn land on steps.
GizmoPose dragGizmo(std::uint32_t tool, std::int32_t handle, const DragFrame& frame, const DragAnchor& anchor,
                    const DragHits& hits, const GizmoPose& previous, const Snap& snap = {});

// How the selection changes this tick relative to the saved places.
struct SelectionChange {
    glm::vec3 translation{0.0f};                     // ΔT
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};     // ΔR
    glm::vec3 scale{0.0f};                           // Δs, in the gizmo's axes
    glm::vec3 worldScale{0.0f};                      // w (scale tool, axis handles)
    float axisAmount = 0.0f;                         // k (scale tool, axis handles)
    float centreAmount = 0.0f;                       // a (scale tool, centre handle)
};
// The change for this tick; nothing when the scale tool's plane was missed (the copies then stay
// as they stood). With snapping the scale amounts (k, a) land on steps.
std::optional<SelectionChange> selectionChange(std::uint32_t tool, std::int32_t handle, const DragFrame& frame,
                                               const DragAnchor& anchor, const DragHits& hits, const GizmoPose& gizmo,
                                               const DragRay& ray, const Snap& snap = {});

// One block's place rebuilt from its saved place: moved about the frame's centre first with the
// "GLOBAL" pivot, then moved, turned and scaled by the change; every scale axis at least
// `minScale`. Nothing when the result would not be finite.
std::optional<BlockPose> rebuildPlace(const BlockPose& saved, const SelectionChange& change, std::uint32_t tool,
                                      std::int32_t handle, std::uint32_t pivot, const DragFrame& frame,
                                      float minScale = kMinScale);

} // namespace Game::TransformDrag
