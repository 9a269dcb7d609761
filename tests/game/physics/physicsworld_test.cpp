#include "game/physics/physicsworld.h"

#include "tests/game/physics/testbodies.h"

#include <BulletCollision/BroadphaseCollision/btDispatcher.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <gtest/gtest.h>

using namespace PhysicsTest;
namespace Group = GamePhysics::CollisionGroup;

namespace {

int overlappingPairs(GamePhysics::PhysicsWorld& world)
{
    return world.dynamicsWorld().getBroadphase()->getOverlappingPairCache()->getNumOverlappingPairs();
}

int manifolds(GamePhysics::PhysicsWorld& world)
{
    return world.dynamicsWorld().getDispatcher()->getNumManifolds();
}

} // namespace

TEST(PhysicsWorldFilter, StaticBodiesNeverPairEvenWhenTheyOverlap)
{
    GamePhysics::PhysicsWorld world;
    auto floor = floorPlane(world, 1);
    auto a = box(world, 2, {0, 0, 0.5f}, glm::vec3(1));
    auto b = box(world, 3, {0.5f, 0, 0.5f}, glm::vec3(1)); // overlaps a and sinks into the floor
    for (int i = 0; i < 3; ++i)
        world.step();
    EXPECT_EQ(overlappingPairs(world), 0);
    EXPECT_EQ(manifolds(world), 0);
}

TEST(PhysicsWorldFilter, MovingObjectPairsWithStaticBodiesByGroupAndMask)
{
    GamePhysics::PhysicsWorld world;
    auto floor = floorPlane(world, 1);
    auto block = box(world, 2, {0, 0, 1}, glm::vec3(1));
    MovingBox player(world, 3, {0, 0, 0.4f}, glm::vec3(0.5f)); // inside the block and the floor
    world.step();
    EXPECT_EQ(overlappingPairs(world), 2);
    EXPECT_EQ(manifolds(world), 2);

    // A mask of the block bit only keeps the block pair and drops the floor pair.
    GamePhysics::PhysicsWorld maskedWorld;
    auto floor2 = floorPlane(maskedWorld, 1);
    auto block2 = box(maskedWorld, 2, {0, 0, 1}, glm::vec3(1));
    MovingBox blocksOnly(maskedWorld, 3, {0, 0, 0.4f}, glm::vec3(0.5f), Group::player, Group::blockBit);
    maskedWorld.step();
    ASSERT_EQ(overlappingPairs(maskedWorld), 1);
    const btBroadphasePair& pair = maskedWorld.dynamicsWorld().getBroadphase()->getOverlappingPairCache()
                                       ->getOverlappingPairArray()[0];
    const btCollisionObject* other = static_cast<btCollisionObject*>(
        pair.m_pProxy0->m_clientObject == &blocksOnly.object ? pair.m_pProxy1->m_clientObject
                                                             : pair.m_pProxy0->m_clientObject);
    EXPECT_EQ(other, block2->body.get());

    // The other direction counts too: a block whose mask excludes the player never pairs with it.
    GamePhysics::PhysicsWorld refusingWorld;
    auto block3 = box(refusingWorld, 2, {0, 0, 1}, glm::vec3(1));
    block3->info.mask = ~Group::player;
    MovingBox refused(refusingWorld, 3, {0, 0, 1}, glm::vec3(0.5f));
    refusingWorld.step();
    EXPECT_EQ(overlappingPairs(refusingWorld), 0);
}

TEST(PhysicsWorldFilter, ObjectWithoutBodyInfoStopsTheProgram)
{
    GamePhysics::PhysicsWorld world;
    auto block = box(world, 2, {0, 0, 1}, glm::vec3(1));
    btBoxShape shape(btVector3(1, 1, 1));
    btCollisionObject anonymous;
    anonymous.setCollisionShape(&shape);
    anonymous.setCollisionFlags(btCollisionObject::CF_CHARACTER_OBJECT);
    EXPECT_DEATH(
        {
            world.addCollisionObject(&anonymous, 1, -1);
            world.step();
        },
        "getUserPointer\\(\\) != nullptr");
}

TEST(PhysicsWorldLifecycle, StepsUnderGravityAlongMinusZInTenMillisecondSteps)
{
    GamePhysics::PhysicsWorld world;
    // A dynamic body shows that one step is exactly 0.01 s under g = -10 along z: v = g * t.
    btBoxShape shape(btVector3(0.5f, 0.5f, 0.5f));
    GamePhysics::PhysicsBodyInfo info{7};
    btRigidBody body(btRigidBody::btRigidBodyConstructionInfo(1, nullptr, &shape, btVector3(1, 1, 1)));
    body.setUserPointer(&info);
    body.setActivationState(DISABLE_DEACTIVATION);
    world.addRigidBody(&body);
    world.step();
    world.step();
    EXPECT_NEAR(body.getLinearVelocity().z(), -0.2f, 1e-5f);
    EXPECT_NEAR(body.getLinearVelocity().x(), 0.0f, 1e-6f);
    world.removeRigidBody(&body);
}

TEST(PhysicsWorldLifecycle, AddRemoveAndTearDownLeaveNothingBehind)
{
    auto world = std::make_unique<GamePhysics::PhysicsWorld>();
    btBoxShape shape(btVector3(1, 1, 1));
    GamePhysics::PhysicsBodyInfo info{4, Group::block};
    btRigidBody body(btRigidBody::btRigidBodyConstructionInfo(0, nullptr, &shape));
    body.setUserPointer(&info);

    EXPECT_FALSE(world->contains(&body));
    world->addRigidBody(&body);
    EXPECT_TRUE(world->contains(&body));
    EXPECT_DEATH(world->addRigidBody(&body), "added to the physics world twice");
    world->removeRigidBody(&body);
    EXPECT_FALSE(world->contains(&body));
    EXPECT_DEATH(world->removeRigidBody(&body), "not in it");

    // Whatever is still in the world when it goes is taken out, so its owner can free it safely.
    world->addRigidBody(&body);
    GamePhysics::PhysicsBodyInfo ghostInfo{5, Group::player};
    btCollisionObject ghost;
    ghost.setCollisionShape(&shape);
    ghost.setUserPointer(&ghostInfo);
    ghost.setCollisionFlags(btCollisionObject::CF_CHARACTER_OBJECT);
    world->addCollisionObject(&ghost, GamePhysics::GhostProxy::group, GamePhysics::GhostProxy::mask);
    world->step();
    world.reset();
    EXPECT_EQ(body.getBroadphaseHandle(), nullptr);
    EXPECT_EQ(ghost.getBroadphaseHandle(), nullptr);
}
