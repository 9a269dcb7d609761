#include "engine/ecs/messagesystem.h"

#include "tests/engine/ecs/testcomponents.h"

#include <gtest/gtest.h>

using namespace EcsTest;

namespace {

// Records handled values; on value 1 it posts 100 (a message posted by a handler).
class NoteSystem : public ECS::MessageSystem<Note> {
public:
    static constexpr const char* systemName = "NoteSystem";
    NoteSystem(ECS::EntityManager& world, std::shared_ptr<std::vector<int>> seen) : world(&world), seen(std::move(seen)) {}
    void onMessage(const Note& note) override
    {
        seen->push_back(note.value);
        if (note.value == 1)
            world->sendMessage(Note{100});
    }

private:
    ECS::EntityManager* world;
    std::shared_ptr<std::vector<int>> seen;
};

class MessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.registerMessage<Note>();
        world.addMessageSystem(NoteSystem(world, seen));
    }
    // One game update: messages are posted before the pass, then the pass runs.
    void update() { world.processMessages(); }

    ECS::EntityManager world;
    std::shared_ptr<std::vector<int>> seen = std::make_shared<std::vector<int>>();
};

} // namespace

TEST_F(MessageTest, PostedBeforeThePassIsHandledNextUpdateInOrderThenGone)
{
    world.sendMessage(Note{7});
    world.sendMessage(Note{8});
    update();
    EXPECT_TRUE(seen->empty());
    update();
    EXPECT_EQ(*seen, (std::vector<int>{7, 8}));
    update();
    EXPECT_EQ(*seen, (std::vector<int>{7, 8})) << "handled messages are dropped";
}

TEST_F(MessageTest, PostedByAHandlerOrAfterThePassWaitsForALaterPass)
{
    world.sendMessage(Note{1});
    update();
    update(); // handles 1, which posts 100: not handled in this pass
    EXPECT_EQ(*seen, (std::vector<int>{1}));
    world.sendMessage(Note{2}); // posted during rendering, after this update's pass
    update(); // handles 100 only; 2 is swapped in
    EXPECT_EQ(*seen, (std::vector<int>{1, 100}));
    update();
    EXPECT_EQ(*seen, (std::vector<int>{1, 100, 2}));
}

namespace {

// Records, for each message, whether it still names the entity it was sent for.
class EntityNoteSystem : public ECS::MessageSystem<EntityNote> {
public:
    static constexpr const char* systemName = "EntityNoteSystem";
    EntityNoteSystem(ECS::EntityManager& world, std::shared_ptr<std::vector<bool>> current)
        : world(&world), current(std::move(current))
    {
    }
    void onMessage(const EntityNote& note) override { current->push_back(world->isCurrent(note)); }

private:
    ECS::EntityManager* world;
    std::shared_ptr<std::vector<bool>> current;
};

} // namespace

TEST(EntityMessageTest, ReachesOnlyTheLifeOfTheEntityItWasSentFor)
{
    ECS::EntityManager world;
    auto current = std::make_shared<std::vector<bool>>();
    world.registerMessage<EntityNote>();
    world.addMessageSystem(EntityNoteSystem(world, current));
    const ECS::EntityId kept = world.createEntity();
    const ECS::EntityId replaced = world.createEntity();
    world.sendMessage(EntityNote{kept});
    world.sendMessage(EntityNote{replaced});
    world.sendMessage(EntityNote{ECS::EntityIdLimit + 5});
    world.processMessages();
    world.destroyEntity(replaced);
    world.refresh();
    ASSERT_EQ(world.createEntity(), replaced); // a new entity under the old id
    world.refresh();
    world.processMessages();
    EXPECT_EQ(*current, (std::vector<bool>{true, false, false}));

    current->clear();
    world.sendMessage(EntityNote{replaced});
    world.processMessages();
    world.processMessages();
    EXPECT_EQ(*current, (std::vector<bool>{true})) << "the new owner is reached by its own messages";
}

TEST(MessageDeathTest, UnregisteredTypesAndSecondHandlersAreCaught)
{
    ECS::EntityManager world;
    EXPECT_DEATH(world.sendMessage(Note{1}), "EcsTest::Note is not registered");
    auto seen = std::make_shared<std::vector<int>>();
    world.addMessageSystem(NoteSystem(world, seen));
    EXPECT_DEATH(world.processMessages(), "NoteSystem handles an unregistered message type");
    EXPECT_DEATH(world.addMessageSystem(NoteSystem(world, seen)), "second message system NoteSystem");
}
