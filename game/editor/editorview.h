#pragma once
// What the editor camera shows, as pure functions: where a point appears in the window (for
// selecting with a box) and where the camera must stand to show a whole selection (framing).
// Both use the camera of the pointer ray: its eye, its viewing direction, field of view and size.
#include "game/camera/cameradata.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <optional>

namespace Game::EditorView {

// Distance kept beyond the bounding sphere when framing, as a share of its radius.
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
// viewing direction it has, back from the box's centre far enough that the box's bounding sphere
// fits the narrower of the two fields of view, with a margin. When that would put the eye below
// `lowestEyeZ` (the editor camera's floor), the view is tilted down just enough to keep the eye
// there.
struct Framing {
    glm::vec3 eye{0.0f};
    glm::vec3 direction{1.0f, 0.0f, 0.0f}; // unit
};
Framing frameBox(const glm::vec3& boxMin, const glm::vec3& boxMax, const glm::vec3& viewDirection,
                 const CameraData& camera, float lowestEyeZ);

} // namespace Game::EditorView
