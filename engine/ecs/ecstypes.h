#pragma once
// Basic types and limits of the entity-component-system.
#include <cstdint>

namespace ECS {

using EntityId = std::uint32_t;
using ComponentType = std::uint32_t;
using MessageType = std::uint32_t;

// 0 is never an entity: createEntity() answers it when no id is free.
inline constexpr EntityId InvalidEntity = 0;

// Component lists index entities directly, so only ids below this limit can hold components;
// the manager never hands out an id at or above it.
inline constexpr EntityId EntityIdLimit = 2048;

// Number of component type slots (valid ids 1 to 63) and message type slots (valid ids 1 to 31).
inline constexpr ComponentType ComponentSlots = 64;
inline constexpr MessageType MessageSlots = 32;

} // namespace ECS
