#include "game/gameplay/gameplaytypes.h"

#include "engine/ecs/entitymanager.h"
#include "game/gameplay/aishootcomponent.h"
#include "game/gameplay/healthcomponent.h"
#include "game/gameplay/itemcomponent.h"
#include "game/gameplay/projectilecomponent.h"

namespace Game {

void registerGameplayDataComponents(ECS::EntityManager& manager)
{
    manager.registerComponent<Component::HealthComponent>();
    manager.registerComponent<Component::ItemComponent>();
    manager.registerComponent<Component::AiShootComponent>();
    manager.registerComponent<Component::ProjectileComponent>();
}

} // namespace Game
