#include "game/gamemap/gamemap.h"

#include "tests/game/gamemap/maptestworld.h"

#include <gtest/gtest.h>

TEST(RandomMap, HundredFiftyUprightBlocksInTheArea)
{
    MapTest::World world;
    EXPECT_EQ(Game::generateRandomMap(world.ecs, world.map), 150u);
    EXPECT_FALSE(world.map.rebuildPending);
    world.ecs.refresh();
    ASSERT_EQ(world.map.qubeIDs.size(), 150u);
    glm::vec3 low(1e9f), high(-1e9f);
    for (const ECS::EntityId id : world.map.qubeIDs) {
        const Component::TransformComponent& t = world.transform(id);
        EXPECT_TRUE(glm::all(glm::greaterThanEqual(t.scale, glm::vec3(1))) && glm::all(glm::lessThanEqual(t.scale, glm::vec3(10))));
        EXPECT_TRUE(glm::all(glm::greaterThanEqual(t.position, glm::vec3(-30, -30, 0))) &&
                    glm::all(glm::lessThanEqual(t.position, glm::vec3(30))));
        EXPECT_EQ(t.rotation, glm::quat(1, 0, 0, 0));
        low = glm::min(low, t.position);
        high = glm::max(high, t.position);
    }
    // A scattering, not a pile: the centres spread over most of the area.
    EXPECT_LT(low.x, -20.0f);
    EXPECT_GT(high.x, 20.0f);
    EXPECT_GT(high.z, 20.0f);

    // The generator continues: a second call adds different blocks.
    const Component::TransformComponent first = world.transform(*world.map.qubeIDs.begin());
    Game::generateRandomMap(world.ecs, world.map);
    world.ecs.refresh();
    ASSERT_EQ(world.map.qubeIDs.size(), 300u);
    EXPECT_NE(world.transform(*world.map.qubeIDs.rbegin()).position, first.position);
}

TEST(RandomMap, FirstMapIsTheSameOnEveryRun)
{
    // The C standard's rand() from its initial state: these numbers, on every run and build.
    Game::MapRandom random;
    for (const int expected : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419})
        EXPECT_EQ(random.next(), expected);

    // So the first block of the first map is always the same: scale z, y, x, then position z, y, x.
    MapTest::World world;
    Game::generateRandomMap(world.ecs, world.map);
    world.ecs.refresh();
    const Component::TransformComponent& first = world.transform(*world.map.qubeIDs.begin());
    EXPECT_FLOAT_EQ(first.scale.z, 16838.0f / 32767.0f * 9.0f + 1.0f);
    EXPECT_FLOAT_EQ(first.position.x, 5627.0f / 32767.0f * 60.0f - 30.0f);
}
