#include "game/camera/cameramath.h"

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace Game::CameraMath {

namespace {

glm::vec3 normalizedOrZero(const glm::vec3& v)
{
    const float lengthSquared = glm::dot(v, v);
    if (!(lengthSquared > FLT_EPSILON * FLT_EPSILON))
        return glm::vec3(0.0f);
    return v / std::sqrt(lengthSquared);
}

bool isZero(const glm::vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

} // namespace

glm::vec3 forwardFromAngles(float yawDegrees, float pitchDegrees)
{
    const float y = glm::radians(yawDegrees);
    const float p = glm::radians(pitchDegrees);
    return glm::vec3(std::cos(y) * std::cos(p), std::sin(y) * std::cos(p), std::sin(p));
}

glm::vec3 upFromAngles(float yawDegrees, float pitchDegrees, float rollDegrees)
{
    const float y = glm::radians(yawDegrees);
    const float p = glm::radians(pitchDegrees);
    const float r = glm::radians(rollDegrees);
    const glm::vec3 pitchedUp(-std::cos(y) * std::sin(p), -std::sin(y) * std::sin(p), std::cos(p));
    const glm::vec3 side(-std::sin(y), std::cos(y), 0.0f);
    return std::cos(r) * pitchedUp + std::sin(r) * side;
}

float wrapAngle(float degrees)
{
    if (!std::isfinite(degrees))
        return 0.0f;
    const double whole = std::trunc(static_cast<double>(degrees));
    const double fraction = static_cast<double>(degrees) - whole;
    const double wrapped = std::fmod(std::fmod(whole, 360.0) + 540.0, 360.0) - 180.0;
    return static_cast<float>(wrapped + fraction);
}

float wrapYaw(float degrees)
{
    if (!std::isfinite(degrees))
        return 0.0f;
    return std::fmod(degrees, 360.0f);
}

LookAngles padLook(float yaw, float pitch, glm::vec2 stick, const LookSettings& settings)
{
    const float degrees = padDegreesPerTick * settings.padSensitivity;
    yaw -= stick.x * degrees;
    pitch += (settings.padInvert ? -stick.y : stick.y) * degrees;
    return {wrapYaw(yaw), std::clamp(std::isfinite(pitch) ? pitch : 0.0f, -maxPitch, maxPitch)};
}

float interpolateYaw(float previous, float current, float alpha)
{
    return previous - wrapAngle(previous - current) * alpha;
}

LookAngles mouseLook(float yaw, float pitch, int dx, int dy, const LookSettings& settings)
{
    const float degreesPerPixel = mouseDegreesPerPixel * settings.sensitivity;
    yaw -= static_cast<float>(dx) * degreesPerPixel;
    pitch -= static_cast<float>(settings.invert ? -dy : dy) * degreesPerPixel;
    return {wrapYaw(yaw), std::clamp(std::isfinite(pitch) ? pitch : 0.0f, -maxPitch, maxPitch)};
}

float freeCamKeyAngle(const MoveKeys& keys)
{
    if (keys.forward && keys.left)
        return 45.0f;
    const int held = int(keys.forward) + int(keys.left) + int(keys.back) + int(keys.right);
    if (held == 0)
        return 0.0f;
    const float sum = 270.0f * float(keys.right) + 180.0f * float(keys.back) + 90.0f * float(keys.left) +
                      360.0f * float(keys.forward);
    return sum / static_cast<float>(held);
}

glm::vec3 freeCamStep(float yaw, float pitch, float roll, const MoveKeys& keys)
{
    if (!keys.any())
        return glm::vec3(0.0f);
    const float k = glm::radians(freeCamKeyAngle(keys));
    const glm::vec3 forward = forwardFromAngles(yaw, pitch);
    const glm::vec3 left = normalizedOrZero(glm::cross(upFromAngles(yaw, pitch, roll), forward));
    return freeCamUnitsPerTick * (std::cos(k) * forward + std::sin(k) * left);
}

glm::vec3 panStep(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up, int dx, int dy)
{
    const glm::vec3 forward = normalizedOrZero(center - eye);
    const glm::vec3 right = normalizedOrZero(glm::cross(forward, up));
    return right * (static_cast<float>(dx) * panUnitsPerPixel) + up * (-static_cast<float>(dy) * panUnitsPerPixel);
}

glm::vec3 zoomStep(const glm::vec3& eye, const glm::vec3& center, int wheel)
{
    return static_cast<float>(wheel) * normalizedOrZero(center - eye);
}

bool canLookAt(const glm::vec3& eye, const glm::vec3& center, const glm::vec3& up)
{
    const glm::vec3 forward = normalizedOrZero(center - eye);
    return !isZero(forward) && !isZero(normalizedOrZero(glm::cross(forward, up)));
}

glm::vec3 menuCircleEye(const glm::vec3& eye, float centerX, float centerY, float eyeHeight)
{
    const float dx = eye.x - centerX;
    const float dy = eye.y - centerY;
    const float radius = std::sqrt(dx * dx + dy * dy);
    const float angle = glm::radians(glm::degrees(std::atan2(dy, dx)) - menuDegreesPerTick);
    return glm::vec3(centerX + radius * std::cos(angle), centerY + radius * std::sin(angle), eyeHeight);
}

} // namespace Game::CameraMath
