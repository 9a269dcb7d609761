#include "game/physics/contacttracker.h"

#include "tests/game/physics/testbodies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace PhysicsTest;
using GamePhysics::ContactListener;
using GamePhysics::ContactListenerBinding;
using GamePhysics::ContactPair;

namespace {

// Logs every call as "began|touching|stopped entity0-entity1", marking pairs whose body has gone.
// The manifold lists the body that entered the world first as the pair's first body.
class RecordingListener : public ContactListener {
public:
    void beganTouching(uint32_t value, const ContactPair& pair) override { record("began", value, pair); }
    void touching(uint32_t value, const ContactPair& pair) override { record("touching", value, pair); }
    void stoppedTouching(uint32_t value, const ContactPair& pair) override { record("stopped", value, pair); }

    std::vector<std::string> takeEvents() { return std::exchange(events, {}); }

private:
    void record(const char* what, uint32_t value, const ContactPair& pair)
    {
        // A pair's listener is that of its first entity; the value identifies whose it is.
        EXPECT_EQ(value, pair.entity0 * 100);
        std::string line = std::string(what) + " " + std::to_string(pair.entity0) + "-" + std::to_string(pair.entity1);
        if (pair.body0 == nullptr || pair.body1 == nullptr)
            line += " (gone)";
        events.push_back(line);
    }
    std::vector<std::string> events;
};

struct ContactScene {
    GamePhysics::PhysicsWorld world;
    RecordingListener listener;
    GamePhysics::ContactListenerLookup lookup = [this](uint32_t entity) {
        return ContactListenerBinding{&listener, entity * 100};
    };
    std::vector<std::string> step()
    {
        world.step(lookup);
        return listener.takeEvents();
    }
};

using Events = std::vector<std::string>;

} // namespace

TEST(ContactTracking, PairsBeginPersistAndStopInOrder)
{
    ContactScene scene;
    auto block = box(scene.world, 1, {0, 0, 1}, glm::vec3(1));
    MovingBox mover(scene.world, 2, {5, 0, 1}, glm::vec3(0.5f));
    EXPECT_EQ(scene.step(), Events{});

    // Resting against the face within the library's contact margin is not touching: only
    // penetration counts.
    mover.moveTo({1.505f, 0, 1});
    EXPECT_EQ(scene.step(), Events{});

    mover.moveTo({1.4f, 0, 1});
    EXPECT_EQ(scene.step(), (Events{"began 1-2", "touching 1-2"}));
    ASSERT_EQ(scene.world.contacts().touchingPairs().size(), 1u);
    EXPECT_EQ(scene.step(), (Events{"touching 1-2"}));

    mover.moveTo({5, 0, 1});
    EXPECT_EQ(scene.step(), (Events{"stopped 1-2"}));
    EXPECT_TRUE(scene.world.contacts().touchingPairs().empty());
    EXPECT_EQ(scene.step(), Events{});
}

TEST(ContactTracking, BeganThenStoppedThenTouchingWithinOneStep)
{
    ContactScene scene;
    auto left = box(scene.world, 1, {-3, 0, 1}, glm::vec3(1));
    auto right = box(scene.world, 3, {3, 0, 1}, glm::vec3(1));
    MovingBox mover(scene.world, 2, {-2, 0, 1}, glm::vec3(0.5f));
    EXPECT_EQ(scene.step(), (Events{"began 1-2", "touching 1-2"}));

    mover.moveTo({2, 0, 1});
    EXPECT_EQ(scene.step(), (Events{"began 3-2", "stopped 1-2", "touching 3-2"}));
}

TEST(ContactTracking, OnlyTheFirstEntitysListenerIsCalled)
{
    ContactScene scene;
    auto block = box(scene.world, 1, {0, 0, 1}, glm::vec3(1));
    MovingBox mover(scene.world, 2, {1.4f, 0, 1}, glm::vec3(0.5f));
    scene.world.step();
    ASSERT_EQ(scene.world.contacts().touchingPairs().size(), 1u);
    const ContactPair pair = scene.world.contacts().touchingPairs().front();
    scene.listener.takeEvents();

    // Only the entity listed second has a listener: nobody is called.
    const uint32_t second = pair.entity1;
    scene.lookup = [&](uint32_t entity) {
        return entity == second ? ContactListenerBinding{&scene.listener, entity * 100} : ContactListenerBinding{};
    };
    EXPECT_EQ(scene.step(), Events{});
    // Without any lookup tracking still runs.
    scene.world.step();
    EXPECT_EQ(scene.world.contacts().touchingPairs().size(), 1u);
}

TEST(ContactTracking, BodyLeavingMidContactIsReportedOnceAndNeverTouched)
{
    ContactScene scene;
    auto block = box(scene.world, 1, {0, 0, 1}, glm::vec3(1));
    MovingBox mover(scene.world, 2, {1.4f, 0, 1}, glm::vec3(0.5f));
    EXPECT_EQ(scene.step(), (Events{"began 1-2", "touching 1-2"}));

    // The block's entity is destroyed: its body leaves the world and is freed before the next
    // step. The pair is reported as stopped with both ids and the freed body cleared; the
    // sanitizer build would catch any read of the freed body.
    block.reset();
    EXPECT_TRUE(scene.world.contacts().touchingPairs().empty());
    EXPECT_EQ(scene.step(), (Events{"stopped 1-2 (gone)"}));
    EXPECT_EQ(scene.step(), Events{});

    // A map reload: a new block appears where the old one was and the contact begins afresh.
    auto reloaded = box(scene.world, 4, {0, 0, 1}, glm::vec3(1));
    EXPECT_EQ(scene.step(), (Events{"began 2-4", "touching 2-4"}));

    // Removing and re-adding the same body within one update reports stop and begin.
    scene.world.removeRigidBody(reloaded->body.get());
    scene.world.addRigidBody(reloaded->body.get());
    EXPECT_EQ(scene.step(), (Events{"began 2-4", "stopped 2-4 (gone)", "touching 2-4"}));
}
