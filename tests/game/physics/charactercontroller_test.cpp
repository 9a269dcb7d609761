#include "game/physics/charactercontroller.h"

#include "game/physics/physicsworld.h"
#include "tests/game/physics/testbodies.h"
#include "tests/support/vecnear.h"

#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr float tick = 0.01f;
constexpr float capsuleRadius = 0.305f;
constexpr float capsuleHalfHeight = 0.2f + capsuleRadius;

// The physics world with the floor plane, optional boxes and one controlled capsule in it.
class ControllerWorld {
public:
    ControllerWorld()
    {
        floor = PhysicsTest::floorPlane(physics, 100);
        ghost.setCollisionShape(&capsule);
        ghost.setCollisionFlags(btCollisionObject::CF_CHARACTER_OBJECT);
        ghost.setUserPointer(&ghostInfo);
    }
    ~ControllerWorld() { controller.reset(); }

    void addBox(const glm::vec3& halfExtents, const glm::vec3& centre)
    {
        boxes.push_back(PhysicsTest::box(physics, 200 + static_cast<uint32_t>(boxes.size()), centre, halfExtents));
    }

    GamePhysics::CustomCharacterController& spawn(const glm::vec3& at)
    {
        ghost.getWorldTransform().setIdentity();
        ghost.getWorldTransform().setOrigin(btVector3(at.x, at.y, at.z));
        controller = std::make_unique<GamePhysics::CustomCharacterController>(&physics, &ghost, &capsule, 0.1f, glm::vec3(0, 0, 1));
        controller->setGravity(glm::vec3(0, 0, -15));
        controller->addedMargin = 0.005f;
        return *controller;
    }

    // One game tick: the controller's step and one world step, as the game does them.
    void tickOnce()
    {
        controller->currentPosition = controller->ghostPosition();
        controller->step(&physics.dynamicsWorld(), tick);
        physics.step();
    }
    void run(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            tickOnce();
    }
    glm::vec3 position() const { return controller->ghostPosition(); }

private:
    GamePhysics::PhysicsWorld physics;
    std::unique_ptr<PhysicsTest::StaticBody> floor;
    std::vector<std::unique_ptr<PhysicsTest::StaticBody>> boxes;
    btCapsuleShapeZ capsule{capsuleRadius, 0.4f};
    GamePhysics::PhysicsBodyInfo ghostInfo{1, GamePhysics::CollisionGroup::player, GamePhysics::CollisionGroup::all};
    btPairCachingGhostObject ghost;
    std::unique_ptr<GamePhysics::CustomCharacterController> controller;
};


} // namespace

TEST(CharacterController, CeilingStopsTheRiseAndFallSpeedIsCapped)
{
    ControllerWorld w;
    w.addBox({5, 5, 0.5f}, {0, 0, 3}); // ceiling underside at z = 2.5
    GamePhysics::CustomCharacterController& c = w.spawn({0, 0, capsuleHalfHeight});
    w.run(10);
    c.verticalVelocity = 10.0f;
    c.justJumped = true;
    float highest = 0.0f;
    bool stoppedAtCeiling = false;
    for (int i = 0; i < 100; ++i) {
        w.tickOnce();
        highest = std::max(highest, w.position().z);
        stoppedAtCeiling = stoppedAtCeiling || (i < 20 && c.verticalVelocity <= 0.0f);
    }
    EXPECT_TRUE(stoppedAtCeiling) << "the ceiling hit zeroes the upward speed within 0.2 s";
    EXPECT_LE(highest, 2.5f - capsuleHalfHeight + 0.01f);
    EXPECT_TRUE(c.onGround) << "fell back down after the ceiling stopped the rise";

    ControllerWorld high;
    GamePhysics::CustomCharacterController& f = high.spawn({0, 0, 500});
    high.run(500);
    EXPECT_FLOAT_EQ(f.verticalVelocity, -f.fallSpeed);
}

TEST(CharacterController, VelocitySplitsIntoWalkAndVerticalWithoutNaN)
{
    ControllerWorld w;
    GamePhysics::CustomCharacterController& c = w.spawn({0, 0, 3});
    c.setVelocity({3, 4, -2});
    EXPECT_NEAR(c.verticalVelocity, -2.0f, 1e-5f);
    EXPECT_NEAR(c.walkDirection.x, 3.0f, 1e-5f);
    EXPECT_NEAR(c.walkDirection.z, 0.0f, 1e-5f);
    c.setVelocity({0, 0, 7});
    EXPECT_TRUE(c.wasJumping);
    // Huge but finite: the split still holds (|v|^2 overflows a float here).
    c.setVelocity({0, 0, -1e30f});
    EXPECT_FLOAT_EQ(c.verticalVelocity, -1e30f);
    EXPECT_EQ(c.walkDirection, glm::vec3(0.0f));
    c.setVelocity({3e20f, 0, 4e20f});
    EXPECT_FLOAT_EQ(c.verticalVelocity, 4e20f);
    EXPECT_NEAR(c.walkDirection.x, 3e20f, 3e15f);
    EXPECT_NEAR(c.walkDirection.z, 0.0f, 1e14f);
    c.setGravity({0, 0, 0});
    EXPECT_FLOAT_EQ(c.gravity, 15.0f) << "a zero gravity vector is ignored";
    EXPECT_EQ(c.up, glm::vec3(0, 0, 1));
}

TEST(CharacterController, NonFiniteMotionIsRefusedAndNeverFreezesTheCapsule)
{
    ControllerWorld w;
    GamePhysics::CustomCharacterController& c = w.spawn({0, 0, 3});
    for (const glm::vec3& v : {glm::vec3(0, 0, -INFINITY), glm::vec3(NAN, 1, 0), glm::vec3(INFINITY, 0, 0)}) {
        c.setVelocity({1, 0, 0});
        c.setVelocity(v);
        EXPECT_EQ(c.walkDirection, glm::vec3(0.0f));
        EXPECT_EQ(c.verticalVelocity, 0.0f);
    }
    c.setGravity({0, 0, -INFINITY});
    c.setUp({NAN, 0, 1});
    EXPECT_FLOAT_EQ(c.gravity, 15.0f) << "a gravity that is not finite is ignored";
    EXPECT_EQ(c.up, glm::vec3(0, 0, 1));
    // State written directly by the owner is cleaned at the start of the next step.
    c.verticalVelocity = NAN;
    c.walkDirection = {INFINITY, 0, 0};
    w.tickOnce();
    EXPECT_TRUE(std::isfinite(c.verticalVelocity));
    EXPECT_TRUE(TestSupport::isFinite(c.walkDirection));
    EXPECT_TRUE(TestSupport::isFinite(w.position()));
    w.run(100);
    EXPECT_NEAR(w.position().z, capsuleHalfHeight, 0.01f) << "the capsule fell to the floor";
    EXPECT_TRUE(c.onGround);
}

TEST(CharacterController, AMoveThatEndsBeyondTheLargestNumberStaysPut)
{
    ControllerWorld w;
    GamePhysics::CustomCharacterController& c = w.spawn({3.39e38f, 0, 3});
    c.setVelocity({3e38f, 0, 0});
    w.tickOnce();
    EXPECT_TRUE(TestSupport::isFinite(w.position()));
    EXPECT_TRUE(TestSupport::isFinite(c.currentPosition));
}
