#pragma once
// Marks an entity as a pick-up of some kind. Reserved for items: no system reads it yet.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <cstdint>

namespace Component {

struct ItemComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Item;

    ItemComponent() = default;
    explicit ItemComponent(std::uint32_t itemType) : itemType(itemType) {}

    std::uint32_t itemType = 0;
};

} // namespace Component
