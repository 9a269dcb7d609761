#pragma once
// A flying shot. Reserved for combat: no system reads it yet.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <cstdint>

#include <glm/glm.hpp>

namespace Component {

struct ProjectileComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Projectile;

    std::uint32_t shooterEntity = 0; // entity that fired it, 0 for none
    glm::vec3 velocity{0.0f};        // metres per tick
    float lifetime = 0.0f;           // ticks left
};

} // namespace Component
