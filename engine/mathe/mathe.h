#pragma once
// Vector and plane helpers for tools that work with rays, planes and axes (the editor's handles).
// Pure functions on GLM single-precision types; none of them returns NaN or infinity for finite
// input: degenerate cases (zero vectors, a ray parallel to a plane) answer a neutral value or
// std::nullopt instead.
#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

#include <optional>

namespace Engine::Mathe {

// A plane must face a ray at least this much (D·n below minus this) to count as hit; the float
// epsilon, so a ray grazing the plane edge-on never yields a hit point far away.
constexpr float kFacingEpsilon = 1.1920929e-7f;
constexpr float kTwoPi = 6.2831855f;

// -1, 0 or +1.
float sign(float value);

// `v` scaled to unit length, or the zero vector when `v` is (nearly) zero or not finite.
glm::vec3 safeNormalize(const glm::vec3& v);

// Where the ray origin + direction·t meets the plane through `planePoint` with normal `normal`,
// counted only when the ray meets the plane's front side (direction·normal < -kFacingEpsilon).
// Answers the hit point, or nothing for a ray parallel to the plane, from behind, or a hit that
// is not finite.
std::optional<glm::vec3> rayPlaneHit(const glm::vec3& origin, const glm::vec3& direction, const glm::vec3& planePoint,
                                     const glm::vec3& normal);

// Normal of the plane that contains the line through `axisPoint` along the unit axis A and faces
// `eye` as squarely as it can: the part of (eye - axisPoint) across the axis, from the two other
// unit axes V and W of an orthonormal frame. Zero when the eye lies on the axis line.
glm::vec3 facingPlaneNormal(const glm::vec3& eye, const glm::vec3& axisPoint, const glm::vec3& v, const glm::vec3& w);

// `point`, lying in a plane with normal `normal` that contains the axis line through `axisPoint`
// along `axis`, moved onto that line (removes its part along normalise(normal × axis)).
glm::vec3 pointOntoAxis(const glm::vec3& point, const glm::vec3& axisPoint, const glm::vec3& normal,
                        const glm::vec3& axis);

// Angle in [0, 2π) that turns `from` into `to` about `axis` (counter-clockwise seen from the tip
// of the axis); 0 when either vector has zero length.
float angleAbout(const glm::vec3& from, const glm::vec3& to, const glm::vec3& axis);

// `value` rounded to the nearest whole number of `step`s (halves away from zero); `value` itself
// for a step that is not positive.
float snapToStep(float value, float step);

// Angle in radians by which `rotation` turns about the unit `axis` (its twist: the rotation
// splits into a turn about the axis after one about an axis across it), in (-2π, 2π]; 0 when
// the rotation turns nothing about the axis.
float twistAngle(const glm::quat& rotation, const glm::vec3& axis);

} // namespace Engine::Mathe
