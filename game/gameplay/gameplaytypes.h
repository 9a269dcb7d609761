#pragma once
// Registration of the data-only gameplay components (health, items, shooting, projectiles).
namespace ECS {
class EntityManager;
}

namespace Game {

// Registers HealthComponent, ItemComponent, AiShootComponent and ProjectileComponent.
void registerGameplayDataComponents(ECS::EntityManager& manager);

} // namespace Game
