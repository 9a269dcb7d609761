#include "game/physics/raycast.h"

#include "tests/game/physics/testbodies.h"
#include "tests/support/vecnear.h"

#include <gtest/gtest.h>

using namespace PhysicsTest;
using GamePhysics::RayCast::closestHit;
namespace RayMask = GamePhysics::RayMask;

using TestSupport::expectVecNear;

namespace {

constexpr float kRayTolerance = 1e-3f;

// The floor (entity 1) and two blocks on the x axis: entity 2 at x = 10, entity 3 at x = 20.
struct RayScene {
    GamePhysics::PhysicsWorld world;
    std::unique_ptr<StaticBody> floor = floorPlane(world, 1);
    std::unique_ptr<StaticBody> nearBlock = box(world, 2, {10, 0, 1}, glm::vec3(1));
    std::unique_ptr<StaticBody> farBlock = box(world, 3, {20, 0, 1}, glm::vec3(1));
};

} // namespace

TEST(RayCast, ClosestHitReportsTheNearestEntityWithPointAndNormal)
{
    RayScene scene;
    // Cast from either side: the nearer block wins both times, whatever order the tree yields.
    auto hit = closestHit(scene.world, {0, 0, 1}, {30, 0, 1}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 2u);
    expectVecNear(hit->point, {9, 0, 1}, kRayTolerance);
    expectVecNear(hit->normal, {-1, 0, 0}, kRayTolerance);
    EXPECT_NEAR(hit->fraction, 0.3f, 1e-4f);

    hit = closestHit(scene.world, {30, 0, 1}, {0, 0, 1}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 3u);
    expectVecNear(hit->point, {21, 0, 1}, kRayTolerance);
    expectVecNear(hit->normal, {1, 0, 0}, kRayTolerance);
}

TEST(RayCast, MasksSelectFloorAndBlocksOrBlocksOnly)
{
    RayScene scene;
    // Straight down onto the near block: both masks stop at its top.
    auto hit = closestHit(scene.world, {10, 0, 50}, {10, 0, -50}, RayMask::surfaces);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 2u);
    expectVecNear(hit->point, {10, 0, 2}, kRayTolerance);
    expectVecNear(hit->normal, {0, 0, 1}, kRayTolerance);

    // Straight down beside the blocks: the surfaces mask stops at the floor, blocks-only passes.
    hit = closestHit(scene.world, {5, 5, 50}, {5, 5, -50}, RayMask::surfaces);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 1u);
    expectVecNear(hit->point, {5, 5, 0}, kRayTolerance);
    expectVecNear(hit->normal, {0, 0, 1}, kRayTolerance);
    EXPECT_FALSE(closestHit(scene.world, {5, 5, 50}, {5, 5, -50}, RayMask::blocksOnly));

    // A ray rising from below the floor crosses the floor before it reaches the near block: the
    // surfaces mask stops at the floor, blocks-only passes through it to the block.
    hit = closestHit(scene.world, {0, 0, -2}, {12, 0, 2}, RayMask::surfaces);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 1u);
    expectVecNear(hit->point, {6, 0, 0}, kRayTolerance);
    hit = closestHit(scene.world, {0, 0, -2}, {12, 0, 2}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 2u);
    expectVecNear(hit->point, {9, 0, 1}, kRayTolerance);

    // A body's own mask must accept the ray too.
    scene.nearBlock->info.mask = ~RayMask::all;
    hit = closestHit(scene.world, {0, 0, 1}, {30, 0, 1}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 3u);
}

TEST(RayCast, RayShorterThanTheDistanceMisses)
{
    RayScene scene;
    EXPECT_FALSE(closestHit(scene.world, {0, 0, 1}, {8.9f, 0, 1}, RayMask::all));
}

TEST(RayCast, NormalsOfRotatedBodiesAreInWorldSpace)
{
    GamePhysics::PhysicsWorld world;
    // A block turned 45 degrees about z, hit on a diagonal face.
    auto turned = box(world, 10, {-10, -10, 1}, glm::vec3(1));
    world.setWorldTransform(*turned->body,
                            btTransform(btQuaternion(btVector3(0, 0, 1), SIMD_PI * 0.25f), btVector3(-10, -10, 1)));
    const auto hit = closestHit(world, {0, 0, 1}, {-10, -10, 1}, RayMask::blocksOnly);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->entityID, 10u);
    expectVecNear(hit->normal, glm::vec3(1, 1, 0) / std::sqrt(2.0f), kRayTolerance);

    // A hit the library reports in the body's own frame is turned into world space: the body's
    // +x, turned a quarter about z, faces +y.
    btCollisionObject quarterTurned;
    quarterTurned.setWorldTransform(btTransform(btQuaternion(btVector3(0, 0, 1), SIMD_HALF_PI)));
    GamePhysics::PhysicsBodyInfo info{11, GamePhysics::CollisionGroup::block};
    quarterTurned.setUserPointer(&info);
    GamePhysics::RayCast::EcsClosestRayResultCallback callback(RayMask::blocksOnly);
    btCollisionWorld::LocalRayResult local(&quarterTurned, nullptr, btVector3(1, 0, 0), 0.5f);
    callback.addSingleResult(local, false);
    expectVecNear(callback.hitNormalWorld, {0, 1, 0}, kRayTolerance);
    callback.addSingleResult(local, true);
    expectVecNear(callback.hitNormalWorld, {1, 0, 0}, kRayTolerance);
}
