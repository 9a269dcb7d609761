#pragma once
// Turns its entity about an axis of its own by a fixed angle every game tick.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <glm/glm.hpp>

namespace Component {

struct RotationAnimationComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::RotationAnimation;

    RotationAnimationComponent() = default;
    RotationAnimationComponent(float angle, const glm::vec3& axis) : angle(angle), axis(axis) {}

    float angle = 0.0f;              // degrees per tick
    glm::vec3 axis{0.0f, 0.0f, 1.0f}; // in the entity's own frame, unit length
};

} // namespace Component
