#include "game/course/gatecrossing.h"

#include <algorithm>
#include <cmath>

namespace Game::GateCrossing {
namespace {

// `point` in the box's own frame: centred, axis-aligned with the half extents.
glm::vec3 toLocal(const OrientedBox& box, const glm::vec3& point)
{
    return glm::conjugate(box.rotation) * (point - box.center);
}

} // namespace

bool contains(const OrientedBox& box, const glm::vec3& point)
{
    const glm::vec3 local = glm::abs(toLocal(box, point));
    return local.x <= box.halfExtents.x && local.y <= box.halfExtents.y && local.z <= box.halfExtents.z;
}

std::optional<float> entry(const OrientedBox& box, const glm::vec3& from, const glm::vec3& to)
{
    const glm::vec3 start = toLocal(box, from);
    const glm::vec3 motion = toLocal(box, to) - start;
    // The slab test: the part of the segment between each pair of faces, intersected.
    float enter = 0.0f;
    float leave = 1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        const float h = box.halfExtents[axis];
        if (motion[axis] == 0.0f) {
            if (std::fabs(start[axis]) > h)
                return std::nullopt;
            continue;
        }
        const float a = (-h - start[axis]) / motion[axis];
        const float b = (h - start[axis]) / motion[axis];
        enter = std::max(enter, std::min(a, b));
        leave = std::min(leave, std::max(a, b));
        if (enter > leave)
            return std::nullopt;
    }
    return enter;
}

} // namespace Game::GateCrossing
