#include "game/gamemap/mapsystems.h"

#include "tests/game/gamemap/maptestworld.h"
#include "tests/support/gltest.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

using Component::TransformComponent;
using MapTest::transformOf;

namespace {

std::vector<TransformComponent> rowOfQubes(size_t count, float z = 0.0f)
{
    std::vector<TransformComponent> qubes;
    for (size_t i = 0; i < count; ++i)
        qubes.push_back(transformOf({float(i) * 0.5f, 1.25f, z}, {1, 2, 3}, {1, 0, 0, 0}));
    return qubes;
}

void load(MapTest::World& world, std::vector<TransformComponent> qubes)
{
    world.ecs.sendMessage(Message::LoadMapMessage{std::move(qubes)});
    world.update(); // swapped in
    world.update(); // handled
}

// A map of 100 blocks while other entities take most ids: 1 editor + 100 blocks + 1800 others
// leaves 146 free.
void crowd(MapTest::World& world)
{
    load(world, rowOfQubes(100));
    for (int i = 0; i < 1800; ++i)
        world.ecs.createEntity();
    world.ecs.refresh();
}

std::vector<glm::vec3> positionsOf(MapTest::World& world)
{
    std::vector<glm::vec3> positions;
    for (const ECS::EntityId id : world.map.qubeIDs)
        positions.push_back(world.transform(id).position);
    return positions;
}

} // namespace

TEST(LoadMapSystem, ReplacesTheBlocksInFileOrder)
{
    MapTest::World world;
    Game::generateRandomMap(world.ecs, world.map);
    world.ecs.refresh();
    const std::set<ECS::EntityId> oldIds = world.map.qubeIDs;

    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(5)});
    world.update(); // swapped in
    EXPECT_EQ(world.map.qubeIDs, oldIds);
    world.update(); // handled
    EXPECT_EQ(world.editorResets, 1);
    EXPECT_TRUE(world.map.rebuildPending);
    ASSERT_EQ(world.map.qubeIDs.size(), 5u);
    EXPECT_EQ(positionsOf(world)[4], glm::vec3(2, 1.25f, 0));
    EXPECT_EQ(world.physics.dynamicsWorld().getNumCollisionObjects(), 5);
    for (const ECS::EntityId id : oldIds)
        EXPECT_FALSE(world.ecs.isAlive(id));

    // The same map again: the same blocks under new ids.
    const std::set<ECS::EntityId> firstIds = world.map.qubeIDs;
    const std::vector<glm::vec3> firstPositions = positionsOf(world);
    load(world, rowOfQubes(5));
    EXPECT_EQ(positionsOf(world), firstPositions);
    EXPECT_EQ(world.map.qubeIDs.size(), 5u);
    for (const ECS::EntityId id : world.map.qubeIDs)
        EXPECT_EQ(firstIds.count(id), 0u);

    // An empty list empties the map.
    load(world, {});
    EXPECT_TRUE(world.map.qubeIDs.empty());
    EXPECT_EQ(world.physics.dynamicsWorld().getNumCollisionObjects(), 0);
}

TEST(LoadMapSystem, AMapTooLargeForTheIdsIsRefusedWhole)
{
    MapTest::World world;
    crowd(world);
    world.map.rebuildPending = false;
    load(world, rowOfQubes(247, 7.0f));
    EXPECT_EQ(world.map.qubeIDs.size(), 100u);
    EXPECT_FALSE(world.map.rebuildPending);
    EXPECT_EQ(world.editorResets, 1);
    EXPECT_EQ(positionsOf(world)[0].z, 0.0f);

    // 246 fit once the 100 current blocks are gone: they are created one update later.
    load(world, rowOfQubes(246, 7.0f));
    EXPECT_TRUE(world.map.qubeIDs.empty());
    EXPECT_TRUE(world.loadMapSystem->hasDeferredLoad());
    world.update();
    ASSERT_EQ(world.map.qubeIDs.size(), 246u);
    EXPECT_EQ(positionsOf(world)[0].z, 7.0f);
    EXPECT_EQ(Game::GameMap::freeQubeSlots(world.ecs), 0u);
}

TEST(LoadMapSystem, TheLastLoadAskedForWins)
{
    MapTest::World world;
    crowd(world);

    // 246 blocks need the current blocks' ids and wait; 10 sent after them fit at once.
    testing::internal::CaptureStdout();
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(246, 7.0f)});
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(10, 3.0f)});
    for (int i = 0; i < 3; ++i)
        world.update();
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("no entity id"), std::string::npos);
    ASSERT_EQ(world.map.qubeIDs.size(), 10u);
    EXPECT_EQ(positionsOf(world)[0].z, 3.0f);
    EXPECT_FALSE(world.loadMapSystem->hasDeferredLoad());

    // A waiting load is dropped as well for one sent after it and handled in the next update...
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(246, 7.0f)});
    world.update();
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(5, 1.0f)});
    world.update();
    ASSERT_TRUE(world.loadMapSystem->hasDeferredLoad());
    world.update();
    ASSERT_EQ(world.map.qubeIDs.size(), 5u);
    EXPECT_EQ(positionsOf(world)[0].z, 1.0f);
    EXPECT_FALSE(world.loadMapSystem->hasDeferredLoad());

    // ...but not for one that is refused: the waiting map still comes.
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(246, 7.0f)});
    world.update();
    world.ecs.sendMessage(Message::LoadMapMessage{rowOfQubes(400)});
    world.update();
    world.update();
    ASSERT_EQ(world.map.qubeIDs.size(), 246u);
    EXPECT_EQ(positionsOf(world)[0].z, 7.0f);
    EXPECT_FALSE(world.loadMapSystem->hasDeferredLoad());
}

class CreateRandomMapGL : public TestSupport::GLTest {};

TEST_F(CreateRandomMapGL, EachMessageAddsItsBlocksAndOneRebuildFollows)
{
    MapTest::World world;
    Game::FaceIdAllocator allocator;
    int rebuilds = 0;
    // The game controller's order: messages, refresh, then the pending rebuild.
    const auto update = [&] {
        world.update();
        rebuilds += world.map.rebuildMeshIfPending(world.ecs, allocator) ? 1 : 0;
    };
    world.ecs.sendMessage(Message::CreateRandomMap{});
    world.ecs.sendMessage(Message::CreateRandomMap{});
    update();
    update();
    update();
    EXPECT_EQ(world.map.qubeIDs.size(), 300u);
    EXPECT_EQ(rebuilds, 1);
    ASSERT_NE(world.map.mesh, nullptr);
    EXPECT_EQ(world.map.mesh->vertexCount(), 300u * 36u);
}
