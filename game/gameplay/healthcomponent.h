#pragma once
// Hit points of an entity. Reserved for combat: no system reads it yet.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <cstdint>

namespace Component {

struct HealthComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Health;

    HealthComponent() = default;
    explicit HealthComponent(std::int32_t health) : health(health) {}

    std::int32_t health = 0;
};

} // namespace Component
