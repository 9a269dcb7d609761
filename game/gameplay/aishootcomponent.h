#pragma once
// Shooting behaviour of a computer-controlled entity. Reserved for combat: no system reads it yet.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <cstdint>

namespace Component {

struct AiShootComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::AiShoot;

    std::uint32_t targetEntity = 0; // entity aimed at, 0 for none
    float range = 0.0f;             // metres
    float interval = 0.0f;          // ticks between shots
    float cooldown = 0.0f;          // ticks until the next shot
};

} // namespace Component
