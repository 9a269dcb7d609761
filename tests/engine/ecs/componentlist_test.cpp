#include "engine/ecs/componentlist.h"

#include "tests/engine/ecs/testcomponents.h"

#include <gtest/gtest.h>

using namespace EcsTest;
using ECS::EntityId;

TEST(ComponentListTest, SwapAndPopKeepsRecordsDenseAndIndexed)
{
    ECS::EntityManager world;
    world.registerComponent<Position>();
    std::vector<EntityId> ids;
    for (int i = 0; i < 5; ++i) {
        ids.push_back(world.createEntity());
        world.addComponent(ids.back(), Position(static_cast<float>(i)));
    }
    world.refresh();
    world.removeComponent<Position>(ids[1]);
    world.refresh();

    const ECS::ComponentList<Position>& list = world.componentList<Position>();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.records()[1].x, 4.0f) << "the last record fills the hole";
    EXPECT_EQ(list.ownerOf(1), ids[4]);
    for (const int i : {0, 2, 3, 4})
        EXPECT_EQ(world.getComponent<Position>(ids[i]).x, static_cast<float>(i));

    world.removeComponent<Position>(ids[4]);
    world.removeComponent<Position>(ids[0]);
    world.removeComponent<Position>(ids[3]);
    world.removeComponent<Position>(ids[2]);
    world.refresh();
    EXPECT_EQ(list.size(), 0u);
}

TEST(ComponentListTest, MoveOnlyComponentsSurviveNeighbourRemovalsAndAreFreedOnce)
{
    int live = 0;
    {
        ECS::EntityManager world;
        world.registerComponent<Owner>();
        std::vector<EntityId> ids;
        std::vector<const Owner::Resource*> resources;
        for (int i = 0; i < 6; ++i) {
            ids.push_back(world.createEntity());
            resources.push_back(world.addComponent(ids.back(), Owner(i, live))->resource.get());
        }
        world.refresh();
        EXPECT_EQ(live, 6);

        world.removeComponent<Owner>(ids[0]);
        world.destroyEntity(ids[2]);
        world.refresh();
        EXPECT_EQ(live, 4);
        for (const int i : {1, 3, 4, 5}) {
            const Owner& owner = world.getComponent<Owner>(ids[i]);
            EXPECT_EQ(owner.resource.get(), resources[i]) << "the resource is moved, never copied";
            EXPECT_EQ(owner.resource->value, i);
        }
    }
    EXPECT_EQ(live, 0) << "the world frees what its records own";
}
