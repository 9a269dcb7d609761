#pragma once
// What the editor camera shows, as pure functions: where a point appears in the window (for
// selecting with a box) and where the camera must stand to show a whole selection (framing).
// Both use the camera of the pointer ray: its eye, its viewing direction, field of view and size.
#include "game/camera/cameradata.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <optional>

namespace Game::EditorView {

// Room left around a framed box: its corners reach at most 1 / (1 + margin) of the view's
// half-width and half-height.
constexpr float kFramingMargin = 0.15f;

// The window pixel (x, y up from the bottom-left corner) where the camera, standing at `eye`
// and looking as `camera` does, shows `point`; nothing for a point outside the depth range
// (behind the near plane or beyond the far plane). Points beside the view answer pixels outside
// the window.
std::optional<glm::vec2> projectToWindow(const CameraData& camera, const glm::vec3& eye, const glm::vec3& point);

// A rectangle of window pixels spanned by two corners in any order; its borders count as inside.
struct PixelBox {
    glm::vec2 min{0.0f};
    glm::vec2 max{0.0f};

    static PixelBox spanning(const glm::vec2& a, const glm::vec2& b);
    bool contains(const glm::vec2& p) const;
};

// Where the camera stands and looks to show the box from `boxMin` to `boxMax` whole: along the
// viewing direction it has, on the line through the box's centre, just far enough back that every
// corner of the box lies in the view with the margin around it, so a wide selection fills the
// width and a tall one the height. When that would put the eye below `lowestEyeZ` (the editor
// camera's floor), the eye stands on that floor with the same heading, as close as the box allows,
// the view turned up or down to look through the box's centre.
struct Framing {
    glm::vec3 eye{0.0f};
    glm::vec3 direction{1.0f, 0.0f, 0.0f}; // unit
};
Framing frameBox(const glm::vec3& boxMin, const glm::vec3& boxMax, const glm::vec3& viewDirection,
                 const CameraData& camera, float lowestEyeZ);

} // namespace Game::EditorView
