#include "engine/mathe/mathe.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace Engine::Mathe {
namespace {

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

} // namespace

float sign(float value)
{
    return value > 0.0f ? 1.0f : (value < 0.0f ? -1.0f : 0.0f);
}

glm::vec3 safeNormalize(const glm::vec3& v)
{
    const float length = glm::length(v);
    if (!(length > 0.0f) || !std::isfinite(length))
        return glm::vec3(0.0f);
    const glm::vec3 unit = v / length;
    return isFinite(unit) ? unit : glm::vec3(0.0f);
}

std::optional<glm::vec3> rayPlaneHit(const glm::vec3& origin, const glm::vec3& direction, const glm::vec3& planePoint,
                                     const glm::vec3& normal)
{
    const float facing = glm::dot(direction, normal);
    if (!(facing < -kFacingEpsilon))
        return std::nullopt;
    const float t = glm::dot(planePoint - origin, normal) / facing;
    const glm::vec3 hit = origin + direction * t;
    if (!isFinite(hit))
        return std::nullopt;
    return hit;
}

glm::vec3 facingPlaneNormal(const glm::vec3& eye, const glm::vec3& axisPoint, const glm::vec3& v, const glm::vec3& w)
{
    const glm::vec3 toEye = eye - axisPoint;
    return safeNormalize(v * glm::dot(toEye, v) + w * glm::dot(toEye, w));
}

glm::vec3 pointOntoAxis(const glm::vec3& point, const glm::vec3& axisPoint, const glm::vec3& normal,
                        const glm::vec3& axis)
{
    const glm::vec3 across = safeNormalize(glm::cross(normal, axis));
    return point - across * glm::dot(point - axisPoint, across);
}

float angleAbout(const glm::vec3& from, const glm::vec3& to, const glm::vec3& axis)
{
    const float lengths = glm::length(from) * glm::length(to);
    if (!(lengths > 0.0f) || !std::isfinite(lengths))
        return 0.0f;
    const float angle = std::acos(std::clamp(glm::dot(from, to) / lengths, -1.0f, 1.0f));
    return glm::dot(glm::cross(axis, from), to) < 0.0f ? kTwoPi - angle : angle;
}

float snapToStep(float value, float step)
{
    if (!(step > 0.0f))
        return value;
    return std::round(value / step) * step;
}

float twistAngle(const glm::quat& rotation, const glm::vec3& axis)
{
    const float along = rotation.x * axis.x + rotation.y * axis.y + rotation.z * axis.z;
    if (along == 0.0f && rotation.w == 0.0f)
        return 0.0f;
    return 2.0f * std::atan2(along, rotation.w);
}

} // namespace Engine::Mathe
