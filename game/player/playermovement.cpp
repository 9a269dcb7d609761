#include "game/player/playermovement.h"

#include "engine/core/gamepadstate.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/camera/camerainput.h"

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Game::PlayerMovement {

namespace {

// The pad's part of the tick's input, joined to what the keys and mouse asked for.
void addPad(PlayerInput& input, const Engine::GamepadState& pad)
{
    input.stick = pad.leftStick();
    input.jumpHeld = input.jumpHeld || pad.buttonDown(SDL_CONTROLLER_BUTTON_A);
    if (pad.rightTriggerHeld() && !input.ropeHeld) {
        input.ropeHeld = true;
        input.ropeHeldBefore = pad.rightTriggerHeldBefore();
    }
    input.reelHeld += int(pad.buttonDown(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)) -
                      int(pad.buttonDown(SDL_CONTROLLER_BUTTON_LEFTSHOULDER));
    input.reelHeld = std::clamp(input.reelHeld, -1, 1);
}

} // namespace

PlayerInput PlayerInput::read(const Engine::KeyboardState& keyboard, const Engine::MouseState& mouse,
                              const Engine::Bindings& bindings, const Engine::GamepadState* pad)
{
    using Engine::Action;
    const auto down = [&](Action action) { return Engine::bindingDown(bindings[indexOf(action)], keyboard, mouse); };
    const auto notches = [&](Action action) { return Engine::bindingNotches(bindings[indexOf(action)], mouse); };
    const auto heldKey = [&](Action action) { return down(action) && notches(action) == 0; };
    PlayerInput input;
    input.keys.forward = down(Action::forward);
    input.keys.back = down(Action::back);
    input.keys.left = down(Action::left);
    input.keys.right = down(Action::right);
    input.jumpHeld = down(Action::jump);
    input.ropeHeld = down(Action::rope);
    input.ropeHeldBefore = input.ropeHeld && !Engine::bindingPressed(bindings[indexOf(Action::rope)], keyboard, mouse);
    input.wheel = notches(Action::reelIn) - notches(Action::reelOut);
    input.reelHeld = int(heldKey(Action::reelIn)) - int(heldKey(Action::reelOut));
    if (pad && pad->connected())
        addPad(input, *pad);
    return input;
}

std::optional<float> moveAngle(const PlayerInput& input)
{
    if (const auto angle = keyAngle(input.keys))
        return angle;
    if (input.stick == glm::vec2(0.0f))
        return std::nullopt;
    return glm::degrees(std::atan2(-input.stick.x, input.stick.y));
}

float speedLimit(const PlayerInput& input)
{
    if (input.keys.any() || input.stick == glm::vec2(0.0f))
        return maxSpeed;
    return maxSpeed * std::min(1.0f, glm::length(input.stick));
}

std::optional<float> keyAngle(const CameraMath::MoveKeys& keys)
{
    if (!keys.any())
        return std::nullopt;
    float angle = CameraMath::freeCamKeyAngle(keys);
    if (keys.forward && keys.back)
        angle = 0.0f;
    if (keys.left && keys.right)
        angle = -90.0f;
    return angle;
}

glm::vec2 applyFriction(const glm::vec2& velocity, float friction)
{
    const float speed = glm::length(velocity);
    if (speed <= friction)
        return glm::vec2(0.0f);
    return velocity * ((speed - friction) / speed);
}

glm::vec2 accelerate(const glm::vec2& velocity, float angleDegrees, float acceleration, float friction, float limit)
{
    const float startSpeed = glm::length(velocity);
    const float angle = glm::radians(angleDegrees);
    const glm::vec2 pushed = velocity + (acceleration + friction) * glm::vec2(std::cos(angle), std::sin(angle));
    const float pushedSpeed = glm::length(pushed);
    if (!(pushedSpeed > FLT_EPSILON))
        return glm::vec2(0.0f);
    float gain = pushedSpeed - startSpeed;
    if (gain > 0.0f && startSpeed + gain > limit)
        gain = std::max(0.0f, limit - startSpeed);
    return pushed / pushedSpeed * (startSpeed + gain);
}

glm::vec2 achievedVelocity(const glm::vec2& velocity, float movedDistance, float dt)
{
    const float speed = glm::length(velocity);
    if (!(speed > 0.0f) || !(dt > 0.0f))
        return velocity;
    return velocity / speed * (movedDistance / dt);
}

glm::vec3 ropeConstrain(const glm::vec3& position, const glm::vec3& anchor, float length)
{
    const glm::vec3 offset = position - anchor;
    const float distance = glm::length(offset);
    if (distance <= length || !(distance > 0.0f))
        return position;
    return anchor + offset / distance * length;
}

glm::vec3 removeRadial(const glm::vec3& velocity, const glm::vec3& position, const glm::vec3& anchor)
{
    const glm::vec3 towardsAnchor = anchor - position;
    const float distance = glm::length(towardsAnchor);
    if (!(distance > FLT_EPSILON))
        return velocity;
    const glm::vec3 radial = towardsAnchor / distance;
    const glm::vec3 tangential = velocity - radial * glm::dot(velocity, radial);
    return glm::length(tangential) > 0.0f ? tangential : glm::vec3(0.0f);
}

float reeledLength(float length, int wheel)
{
    return reeledBy(length, reelPerNotch * float(wheel));
}

float reeledBy(float length, float units)
{
    if (units > 0.0f)
        return std::min(length, std::max(minRopeLength, length - units));
    if (units < 0.0f)
        return std::max(length, std::min(maxRopeLength, length - units));
    return length;
}

std::string ropeText(float length)
{
    char text[32];
    std::snprintf(text, sizeof text, "Rope: %.1f m", static_cast<double>(length));
    return text;
}

std::string speedText(const glm::vec3& velocity)
{
    const double kmh = std::ceil(static_cast<double>(glm::length(velocity)) / 1000.0 * 60.0 * 60.0);
    return "Speed: " + std::to_string(static_cast<long long>(kmh)) + " km/h";
}

} // namespace Game::PlayerMovement
