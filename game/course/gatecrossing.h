#pragma once
// Whether a step's motion passes through a gate. The whole segment from the previous position
// to the new one is tested, not its end point, so a fast swing cannot jump over a thin gate
// between two steps. Pure functions that allocate nothing.
#include "game/course/course.h"

#include <optional>

namespace Game::GateCrossing {

// True when `point` lies inside `box` or on its surface.
bool contains(const OrientedBox& box, const glm::vec3& point);

// Where the segment from `from` to `to` first touches `box`, as the fraction of the way from
// `from` (0 when it starts inside, 1 when only its end touches); none when it misses the box.
std::optional<float> entry(const OrientedBox& box, const glm::vec3& from, const glm::vec3& to);

} // namespace Game::GateCrossing
