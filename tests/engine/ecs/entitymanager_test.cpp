#include "engine/ecs/entitymanager.h"

#include "tests/engine/ecs/testcomponents.h"

#include <gtest/gtest.h>

using namespace EcsTest;
using ECS::EntityId;

namespace {

class EntityManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.registerComponent<Position>();
        world.registerComponent<Velocity>();
    }
    ECS::EntityManager world;
};

} // namespace

TEST_F(EntityManagerTest, IdsStartAtOneAndAreReusedOldestFirstOnlyAfterRefresh)
{
    for (EntityId expected = 1; expected <= 6; ++expected)
        EXPECT_EQ(world.createEntity(), expected);
    world.destroyEntity(5);
    world.destroyEntity(3);
    EXPECT_TRUE(world.isAlive(5));
    EXPECT_EQ(world.createEntity(), 7u) << "ids are not released before the refresh";
    world.refresh();
    EXPECT_FALSE(world.isAlive(3));
    EXPECT_FALSE(world.isAlive(5));
    EXPECT_EQ(world.createEntity(), 3u);
    EXPECT_EQ(world.createEntity(), 5u);
    EXPECT_EQ(world.createEntity(), 8u);
    EXPECT_EQ(world.liveEntityCount(), 8u);

    world.destroyEntity(2);
    world.destroyAllEntities(); // skips the one already queued
    world.refresh();
    EXPECT_EQ(world.liveEntityCount(), 0u);
    EXPECT_EQ(world.createEntity(), 1u);
}

TEST_F(EntityManagerTest, QueuedAddsAndRemovesApplyOnlyAtRefresh)
{
    const EntityId e = world.createEntity();
    Position* queued = world.addComponent(e, Position(1.0f));
    queued->x = 2.0f; // the queued record can still be finished before the refresh
    EXPECT_FALSE(world.hasComponent<Position>(e));
    EXPECT_EQ(world.upcomingComponent<Position>(e), queued) << "the record it will hold";
    world.refresh();
    ASSERT_TRUE(world.hasComponent<Position>(e));
    EXPECT_EQ(world.getComponent<Position>(e).x, 2.0f);
    EXPECT_EQ(world.upcomingComponent<Position>(e), &world.getComponent<Position>(e));

    world.removeComponent<Position>(e);
    EXPECT_TRUE(world.hasComponent<Position>(e)) << "a removed component stays readable until the refresh";
    EXPECT_EQ(world.upcomingComponent<Position>(e), nullptr);
    world.refresh();
    EXPECT_FALSE(world.hasComponent<Position>(e));
    EXPECT_EQ(world.componentList<Position>().size(), 0u);

    world.removeComponent<Velocity>(e); // has none: accepted, nothing happens
    world.refresh();
    EXPECT_TRUE(world.isAlive(e));
}

TEST_F(EntityManagerTest, RemoveAndAddInOneUpdateReplacesTheComponent)
{
    const EntityId e = world.createEntity();
    world.addComponent(e, Position(1.0f));
    world.refresh();
    world.removeComponent<Position>(e);
    world.addComponent(e, Position(9.0f));
    world.refresh();
    EXPECT_EQ(world.getComponent<Position>(e).x, 9.0f);
    EXPECT_EQ(world.componentList<Position>().size(), 1u);
}

TEST_F(EntityManagerTest, AddsToDeadOrDyingEntitiesAreDropped)
{
    const EntityId neighbour = world.createEntity();
    world.addComponent(neighbour, Position(3.0f));
    const EntityId dying = world.createEntity();
    world.addComponent(dying, Position(1.0f));
    world.destroyEntity(dying);
    world.addComponent(dying, Velocity(1.0f));
    world.addComponent(EntityId{1500}, Position(2.0f)); // never created
    world.refresh();
    EXPECT_FALSE(world.hasComponent<Position>(dying));
    EXPECT_FALSE(world.hasComponent<Velocity>(dying));
    EXPECT_FALSE(world.hasComponent<Position>(1500));
    EXPECT_EQ(world.componentList<Position>().size(), 1u);
    EXPECT_EQ(world.getComponent<Position>(neighbour).x, 3.0f);

    // The reused id inherits nothing, and can take the types again.
    const EntityId reused = world.createEntity();
    ASSERT_EQ(reused, dying);
    world.refresh();
    EXPECT_FALSE(world.hasComponent<Position>(reused));
    world.addComponent(reused, Position(5.0f));
    world.refresh();
    EXPECT_EQ(world.getComponent<Position>(reused).x, 5.0f);
}

TEST_F(EntityManagerTest, AddsToAnEntityDestroyedInTheSameUpdateAreDroppedInAnyOrder)
{
    // Each entity has a Position; destroy, add and remove meet in one update in another order.
    const auto withPosition = [&] {
        const EntityId e = world.createEntity();
        world.addComponent(e, Position(1.0f));
        return e;
    };
    const EntityId destroyThenAdd = withPosition();
    const EntityId destroyThenAddTwice = withPosition();
    const EntityId destroyRemoveAdd = withPosition();
    const EntityId removeDestroyAdd = withPosition();
    const EntityId removeAddDestroy = withPosition();
    world.refresh();

    world.destroyEntity(destroyThenAdd);
    world.addComponent(destroyThenAdd, Position(2.0f))->x = 3.0f;
    world.destroyEntity(destroyThenAddTwice);
    world.addComponent(destroyThenAddTwice, Position(2.0f));
    world.addComponent(destroyThenAddTwice, Position(3.0f));
    world.destroyEntity(destroyRemoveAdd);
    world.removeComponent<Position>(destroyRemoveAdd);
    world.addComponent(destroyRemoveAdd, Position(2.0f));
    world.removeComponent<Position>(removeDestroyAdd);
    world.destroyEntity(removeDestroyAdd);
    world.addComponent(removeDestroyAdd, Position(2.0f));
    world.removeComponent<Position>(removeAddDestroy);
    world.addComponent(removeAddDestroy, Position(2.0f));
    world.destroyEntity(removeAddDestroy);
    world.refresh();

    EXPECT_EQ(world.liveEntityCount(), 0u);
    EXPECT_EQ(world.componentList<Position>().size(), 0u);
    // The ids come back empty.
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(world.hasComponent<Position>(world.createEntity()));
}

TEST_F(EntityManagerTest, IdCapFailsCleanlyAndKeepsTheWorldConsistent)
{
    for (EntityId expected = 1; expected < ECS::EntityIdLimit; ++expected)
        ASSERT_EQ(world.createEntity(), expected);
    testing::internal::CaptureStdout();
    EXPECT_EQ(world.createEntity(), ECS::InvalidEntity);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("no entity created"), std::string::npos);
    EXPECT_EQ(world.liveEntityCount(), ECS::EntityIdLimit - 1);

    world.addComponent(EntityId{2047}, Position(7.0f));
    world.refresh();
    EXPECT_TRUE(world.hasComponent<Position>(2047));
    EXPECT_FALSE(world.hasComponent<Position>(2048));
    EXPECT_FALSE(world.hasComponent<Position>(0xFFFFFFFFu));

    world.destroyEntity(10);
    world.refresh();
    EXPECT_EQ(world.createEntity(), 10u) << "a released id is handed out again once the cap was hit";
    EXPECT_EQ(world.createEntity(), ECS::InvalidEntity);
}

TEST_F(EntityManagerTest, RegisteringATypeTwiceThrows)
{
    EXPECT_THROW(world.registerComponent<Position>(), std::runtime_error);
    world.registerMessage<Note>();
    EXPECT_THROW(world.registerMessage<Note>(), std::runtime_error);
}

using EntityManagerDeathTest = EntityManagerTest;

TEST_F(EntityManagerDeathTest, MisuseStopsWithANamedAssertion)
{
    const EntityId e = world.createEntity();
    world.addComponent(e, Position(1.0f));
    EXPECT_DEATH(world.addComponent(e, Position(2.0f)), "second add of a EcsTest::Position to entity 1");
    world.refresh();
    EXPECT_DEATH(world.addComponent(e, Position(2.0f)), "entity 1 already has a EcsTest::Position");
    EXPECT_DEATH(world.getComponent<Velocity>(e), "entity 1 has no EcsTest::Velocity");
    EXPECT_DEATH(world.getComponent<Owner>(e), "EcsTest::Owner is not registered");
    EXPECT_DEATH(world.destroyEntity(99), "not alive");
    world.destroyEntity(e);
    EXPECT_DEATH(world.destroyEntity(e), "destroyed twice");
}
