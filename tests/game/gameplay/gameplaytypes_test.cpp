#include "game/gameplay/gameplaytypes.h"

#include "engine/ecs/entitymanager.h"
#include "game/gameplay/aishootcomponent.h"
#include "game/gameplay/healthcomponent.h"
#include "game/gameplay/itemcomponent.h"
#include "game/gameplay/projectilecomponent.h"

#include <gtest/gtest.h>

using namespace Component;

TEST(GameplayDataComponentsTest, WorldStoresAndDestroysThemLikeAnyOther)
{
    ECS::EntityManager world;
    Game::registerGameplayDataComponents(world);
    const ECS::EntityId e = world.createEntity();
    world.addComponent(e, HealthComponent(75));
    world.addComponent(e, ItemComponent(3));
    world.addComponent(e, AiShootComponent())->range = 40.0f;
    world.addComponent(e, ProjectileComponent())->velocity = {0, 1, 0};
    world.refresh();
    EXPECT_EQ(world.getComponent<HealthComponent>(e).health, 75);
    EXPECT_EQ(world.getComponent<ItemComponent>(e).itemType, 3u);
    EXPECT_EQ(world.getComponent<AiShootComponent>(e).range, 40.0f);
    EXPECT_EQ(world.getComponent<ProjectileComponent>(e).velocity.y, 1.0f);

    world.destroyEntity(e);
    world.refresh();
    EXPECT_FALSE(world.hasComponent<HealthComponent>(e));
    EXPECT_FALSE(world.hasComponent<ProjectileComponent>(e));
    EXPECT_EQ(world.componentList<AiShootComponent>().size(), 0u);
    EXPECT_THROW(Game::registerGameplayDataComponents(world), std::runtime_error);
}
