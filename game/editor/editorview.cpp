#include "game/editor/editorview.h"

#include "engine/mathe/mathe.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace Game::EditorView {
namespace {

using Engine::Mathe::safeNormalize;

constexpr float kDegreesToRadians = 3.14159265358979f / 180.0f;

// The camera's right and up vectors for a viewing direction f (as the pointer ray builds them).
void viewAxes(const CameraData& camera, const glm::vec3& f, glm::vec3& right, glm::vec3& up)
{
    right = safeNormalize(glm::cross(f, camera.up));
    up = safeNormalize(glm::cross(right, f));
}

} // namespace

std::optional<glm::vec2> projectToWindow(const CameraData& camera, const glm::vec3& eye, const glm::vec3& point)
{
    const glm::vec3 f = safeNormalize(camera.center - camera.eye);
    glm::vec3 r;
    glm::vec3 u;
    viewAxes(camera, f, r, u);
    const glm::vec3 d = point - eye;
    const float depth = glm::dot(d, f);
    if (!(depth >= camera.nearPlane) || !(depth <= camera.farPlane) || !(camera.height > 0.0f))
        return std::nullopt;
    const float tanHalf = std::tan(camera.fieldOfView * kDegreesToRadians / 2.0f);
    const float aspect = camera.width / camera.height;
    const float x = glm::dot(d, r) / depth / (tanHalf * aspect);
    const float y = glm::dot(d, u) / depth / tanHalf;
    return glm::vec2(camera.width / 2.0f * (1.0f + x), camera.height / 2.0f * (1.0f + y));
}

PixelBox PixelBox::spanning(const glm::vec2& a, const glm::vec2& b)
{
    return PixelBox{glm::min(a, b), glm::max(a, b)};
}

bool PixelBox::contains(const glm::vec2& p) const
{
    return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y;
}

Framing frameBox(const glm::vec3& boxMin, const glm::vec3& boxMax, const glm::vec3& viewDirection,
                 const CameraData& camera, float lowestEyeZ)
{
    const glm::vec3 centre = (boxMin + boxMax) / 2.0f;
    const float radius = glm::length(boxMax - boxMin) / 2.0f;
    const float halfHeight = camera.fieldOfView * kDegreesToRadians / 2.0f;
    const float aspect = camera.height > 0.0f ? camera.width / camera.height : 1.0f;
    const float halfWidth = std::atan(std::tan(halfHeight) * aspect);
    const float half = std::clamp(std::min(halfHeight, halfWidth), 0.01f, 1.5f);
    // The sphere touches the view's narrower sides; it also lies wholly beyond the near plane.
    const float distance = std::max(radius * (1.0f + kFramingMargin) / std::sin(half),
                                    radius + 2.0f * camera.nearPlane);

    Framing framing;
    framing.direction = safeNormalize(viewDirection);
    if (framing.direction == glm::vec3(0.0f))
        framing.direction = glm::vec3(1.0f, 0.0f, 0.0f);
    framing.eye = centre - framing.direction * distance;
    if (framing.eye.z >= lowestEyeZ)
        return framing;

    // Looking up at the selection from below the floor: tilt down until the eye stands on it.
    const float rise = std::clamp((centre.z - lowestEyeZ) / distance, -1.0f, 1.0f);
    glm::vec2 flat(framing.direction.x, framing.direction.y);
    flat = glm::length(flat) > 1e-6f ? glm::normalize(flat) : glm::vec2(1.0f, 0.0f);
    const float across = std::sqrt(std::max(0.0f, 1.0f - rise * rise));
    framing.direction = glm::vec3(flat * across, rise);
    framing.eye = centre - framing.direction * distance;
    return framing;
}

} // namespace Game::EditorView
