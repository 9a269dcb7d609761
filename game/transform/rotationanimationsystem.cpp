#include "game/transform/rotationanimationsystem.h"

#include "game/transform/rotationanimationcomponent.h"
#include "game/transform/transformcomponent.h"

#include <cmath>

namespace Game {

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;
}

RotationAnimationSystem::RotationAnimationSystem(ECS::EntityManager& manager)
    : ComponentSystem(manager, {Component::TransformComponent::_cType, Component::RotationAnimationComponent::_cType})
{
}

void RotationAnimationSystem::processEntity(ECS::EntityId entity, float)
{
    const auto& animation = manager->getComponent<Component::RotationAnimationComponent>(entity);
    auto& transform = manager->getComponent<Component::TransformComponent>(entity);
    transform.rotation = rotatedByOwnAxis(transform.rotation, animation.angle, animation.axis);
}

glm::quat rotatedByOwnAxis(const glm::quat& rotation, float angleDegrees, const glm::vec3& axis)
{
    const float half = angleDegrees * kRadiansPerDegree * 0.5f;
    const float s = std::sin(half);
    const glm::quat turn(std::cos(half), s * axis.x, s * axis.y, s * axis.z);
    const glm::quat r = rotation * turn;
    const float length = glm::length(r);
    if (!(length > 0.0f))
        return glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    return r / length;
}

} // namespace Game
