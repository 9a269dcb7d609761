#include "game/editor/editorview.h"

#include "engine/mathe/mathe.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace Game::EditorView {
namespace {

using Engine::Mathe::safeNormalize;

constexpr float kDegreesToRadians = 3.14159265358979f / 180.0f;
// Halvings of the span searched for the closest framing from the camera's floor.
constexpr int kFramingHalvings = 24;

// The camera's right and up vectors for a viewing direction f (as the pointer ray builds them).
void viewAxes(const CameraData& camera, const glm::vec3& f, glm::vec3& right, glm::vec3& up)
{
    right = safeNormalize(glm::cross(f, camera.up));
    up = safeNormalize(glm::cross(right, f));
}

// Half the vertical and horizontal fields of view in radians, each kept to a usable range.
glm::vec2 halfAngles(const CameraData& camera)
{
    const float aspect = camera.height > 0.0f ? camera.width / camera.height : 1.0f;
    const float vertical = std::clamp(camera.fieldOfView * kDegreesToRadians / 2.0f, 0.01f, 1.5f);
    const float horizontal = std::clamp(std::atan(std::tan(vertical) * aspect), 0.01f, 1.5f);
    return {vertical, horizontal};
}

// The distance back from the box's centre at which its bounding sphere fits the narrower field
// of view with the margin, looking from any direction.
float sphereFitDistance(const glm::vec3& boxMin, const glm::vec3& boxMax, const CameraData& camera)
{
    const float radius = glm::length(boxMax - boxMin) / 2.0f;
    const glm::vec2 half = halfAngles(camera);
    return std::max(radius * (1.0f + kFramingMargin) / std::sin(std::min(half.x, half.y)),
                    radius + 2.0f * camera.nearPlane);
}

// The least distance back from the box's centre along `f` at which every corner of the box lies
// in the view with the margin around it and beyond the near plane.
float cornerFitDistance(const glm::vec3& boxMin, const glm::vec3& boxMax, const glm::vec3& f,
                        const CameraData& camera)
{
    glm::vec3 right;
    glm::vec3 up;
    viewAxes(camera, f, right, up);
    if (right == glm::vec3(0.0f) || up == glm::vec3(0.0f))
        return sphereFitDistance(boxMin, boxMax, camera); // looking along the camera's up
    const glm::vec2 half = halfAngles(camera);
    const float tanUp = std::tan(half.x) / (1.0f + kFramingMargin);
    const float tanRight = std::tan(half.y) / (1.0f + kFramingMargin);
    const glm::vec3 centre = (boxMin + boxMax) / 2.0f;
    float distance = 0.0f;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 p((corner & 1) ? boxMax.x : boxMin.x, (corner & 2) ? boxMax.y : boxMin.y,
                          (corner & 4) ? boxMax.z : boxMin.z);
        const glm::vec3 q = p - centre;
        // The depth the corner needs, less the depth it has beyond the centre.
        const float depth = std::max({std::abs(glm::dot(q, right)) / tanRight, std::abs(glm::dot(q, up)) / tanUp,
                                      2.0f * camera.nearPlane});
        distance = std::max(distance, depth - glm::dot(q, f));
    }
    return distance;
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
    Framing framing;
    framing.direction = safeNormalize(viewDirection);
    if (framing.direction == glm::vec3(0.0f))
        framing.direction = glm::vec3(1.0f, 0.0f, 0.0f);
    framing.eye = centre - framing.direction * cornerFitDistance(boxMin, boxMax, framing.direction, camera);
    if (framing.eye.z >= lowestEyeZ)
        return framing;

    // The eye would stand below the camera's floor: it stands on the floor instead, on a line
    // through the box's centre with the same heading, turned up or down to meet it. The distance
    // where the bounding sphere fits always does; halving the span finds the closest that fits.
    const float drop = centre.z - lowestEyeZ;
    glm::vec2 flat(framing.direction.x, framing.direction.y);
    flat = glm::length(flat) > 1e-6f ? glm::normalize(flat) : glm::vec2(1.0f, 0.0f);
    const auto directionAt = [&flat, drop](float distance) {
        const float rise = std::clamp(drop / distance, -1.0f, 1.0f);
        const float across = std::sqrt(std::max(0.0f, 1.0f - rise * rise));
        return glm::vec3(flat * across, rise);
    };
    float closer = std::abs(drop);
    float fits = std::max(sphereFitDistance(boxMin, boxMax, camera), closer);
    for (int halving = 0; halving < kFramingHalvings; ++halving) {
        const float middle = (closer + fits) / 2.0f;
        if (middle >= cornerFitDistance(boxMin, boxMax, directionAt(middle), camera))
            fits = middle;
        else
            closer = middle;
    }
    framing.direction = directionAt(fits);
    framing.eye = centre - framing.direction * fits;
    return framing;
}

} // namespace Game::EditorView
