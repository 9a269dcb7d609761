#include "engine/ecs/componentsystem.h"

#include "tests/engine/ecs/testcomponents.h"

#include <gtest/gtest.h>

using namespace EcsTest;
using ECS::EntityId;
using Log = std::vector<std::string>;

namespace {

class ComponentSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.registerComponent<Position>();
        world.registerComponent<Velocity>();
        system = world.addSystem(RecordingSystem(world, log));
    }
    // A live entity with both required components, applied.
    EntityId mover(float x)
    {
        const EntityId e = world.createEntity();
        world.addComponent(e, Position(x));
        world.addComponent(e, Velocity(1.0f));
        return e;
    }
    std::vector<EntityId> listed() const { return system->getEntities(); }

    ECS::EntityManager world;
    std::shared_ptr<Log> log = std::make_shared<Log>();
    RecordingSystem* system = nullptr;
};

} // namespace

TEST_F(ComponentSystemTest, EntityListFollowsAddsRemovesAndDestroysInJoinOrder)
{
    const EntityId a = mover(1), b = mover(2), c = mover(3);
    const EntityId partial = world.createEntity();
    world.addComponent(partial, Position(4));
    world.refresh();
    EXPECT_EQ(listed(), (std::vector<EntityId>{a, b, c}));
    EXPECT_EQ(*log, (Log{"added 1 x=1", "added 2 x=2", "added 3 x=3"})) << "joiners see their components";

    log->clear();
    world.addComponent(partial, Velocity(1));
    world.removeComponent<Velocity>(b);
    world.destroyEntity(a);
    EXPECT_EQ(listed(), (std::vector<EntityId>{a, b, c})) << "lists change only at the refresh";
    world.refresh();
    EXPECT_EQ(listed(), (std::vector<EntityId>{c, partial}));
    // Changed entities go in id order, then the destroyed ones; leavers still see their components.
    EXPECT_EQ(*log, (Log{"removed 2 x=2", "removed 1 x=1", "added 4 x=4"}));

    log->clear();
    system->run(0.0f);
    EXPECT_EQ(*log, (Log{"begin", "process 3", "process 4", "end"}));
}

TEST_F(ComponentSystemTest, EmptyListRunsNothingAndAcceptsIsAskedOnEveryChange)
{
    system->run(0.5f);
    EXPECT_TRUE(log->empty());

    system->rejected = 1;
    const EntityId e = mover(1);
    world.refresh();
    EXPECT_TRUE(listed().empty());
    system->rejected = ECS::InvalidEntity;
    world.refresh();
    EXPECT_TRUE(listed().empty()) << "unchanged entities are not examined again";
    world.removeComponent<Position>(e);
    world.addComponent(e, Position(5));
    world.refresh();
    EXPECT_EQ(listed(), (std::vector<EntityId>{e}));
}

TEST_F(ComponentSystemTest, SecondInstancesAndLateSystemsAreKeptApart)
{
    const EntityId early = mover(1);
    world.refresh();
    auto secondLog = std::make_shared<Log>();
    RecordingSystem* second = world.addSystem(RecordingSystem(world, secondLog));
    EXPECT_EQ(world.getSystem<RecordingSystem>(0), system);
    EXPECT_EQ(world.getSystem<RecordingSystem>(1), second);
    EXPECT_TRUE(second->getEntities().empty()) << "a new system learns of entities only as they change";
    const EntityId late = mover(2);
    world.refresh();
    EXPECT_EQ(second->getEntities(), (std::vector<EntityId>{late}));
    EXPECT_EQ(listed(), (std::vector<EntityId>{early, late}));
}

TEST_F(ComponentSystemTest, ManyCreatesAndDestroysKeepListAndIndexInStep)
{
    std::vector<EntityId> all;
    for (int i = 0; i < 1500; ++i)
        all.push_back(mover(static_cast<float>(i)));
    world.refresh();
    // Destroy every third entity in one update; the survivors keep their order.
    std::vector<EntityId> survivors;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i % 3 == 0)
            world.destroyEntity(all[i]);
        else
            survivors.push_back(all[i]);
    }
    world.refresh();
    EXPECT_EQ(listed(), survivors);
    for (const EntityId e : survivors)
        ASSERT_TRUE(system->isListed(e));
    EXPECT_FALSE(system->isListed(all[0]));

    // Reused ids join at the end.
    const EntityId reused = mover(0);
    world.refresh();
    EXPECT_EQ(reused, all[0]);
    EXPECT_EQ(listed().back(), reused);
}
