#include "engine/gfx/skeletalpose.h"

#include "tests/support/vecnear.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

using Engine::GFX::Animation;
using Engine::GFX::SkeletalPose;
using Engine::GFX::Skeleton;

namespace {

// An arm: "shoulder" at the origin and its child "hand" one unit along +y, listed child first.
Skeleton armSkeleton()
{
    Skeleton skeleton;
    skeleton.bones.resize(2);
    skeleton.bones[0].name = "hand";
    skeleton.bones[0].hasParent = true;
    skeleton.bones[0].parentIndex = 1;
    skeleton.bones[0].localMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    skeleton.bones[1].name = "shoulder";
    skeleton.bones[1].children = {0};
    skeleton.nameToIndex = {{"hand", 0}, {"shoulder", 1}};
    skeleton.pose.assign(2, glm::mat4(1.0f));
    return skeleton;
}

// The shoulder turns about z from no turn at time 0 to a half turn at time 1; the animation is
// 1 second long, so it loops from the half turn back to the start.
Animation shoulderTurn()
{
    Engine::GFX::AnimationChannel channel;
    channel.boneName = "shoulder";
    channel.keyCount = 3;
    channel.positionKeys.assign(3, glm::vec3(0.0f));
    channel.scaleKeys.assign(3, glm::vec3(1.0f));
    channel.rotationKeys = {glm::quat(1.0f, 0.0f, 0.0f, 0.0f),
                            glm::angleAxis(glm::radians(90.0f), glm::vec3(0.0f, 0.0f, 1.0f)),
                            glm::quat(1.0f, 0.0f, 0.0f, 0.0f)};
    channel.positionTimes = channel.rotationTimes = channel.scaleTimes = {0.0f, 0.5f, 1.0f};
    Animation animation;
    animation.duration = 1.0f;
    animation.channels.push_back(channel);
    return animation;
}

// Mesh bones in their own order, each with the inverse of its bind pose (a translation to its
// joint), and one the skeleton does not have.
std::vector<Engine::GFX::Mesh::SkeletalBone> armMeshBones()
{
    return {{glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -1.0f, 0.0f)), "hand"},
            {glm::mat4(1.0f), "shoulder"},
            {glm::translate(glm::mat4(1.0f), glm::vec3(7.0f)), "tail"}};
}

glm::vec3 moved(const glm::mat4& matrix, const glm::vec3& point) { return glm::vec3(matrix * glm::vec4(point, 1.0f)); }

} // namespace

TEST(SkeletalPose, ChildrenFollowTheirParentsAndSkinFromTheBindPose)
{
    SkeletalPose pose(armSkeleton(), shoulderTurn(), armMeshBones());
    ASSERT_EQ(pose.boneMatrices().size(), 2u);
    ASSERT_EQ(pose.skinningMatrices().size(), 3u);
    // At rest the skinning leaves the mesh as modelled.
    const glm::vec3 fingertip(0.0f, 2.0f, 0.0f);
    TestSupport::expectVecNear(moved(pose.skinningMatrices()[0], fingertip), fingertip);
    TestSupport::expectVecNear(moved(pose.boneMatrices()[0], glm::vec3(0.0f)), {0.0f, 1.0f, 0.0f});

    // Half way, the shoulder has turned a quarter: the hand and its fingertip swing round to -x.
    pose.evaluate(0.5f);
    TestSupport::expectVecNear(moved(pose.boneMatrices()[0], glm::vec3(0.0f)), {-1.0f, 0.0f, 0.0f});
    TestSupport::expectVecNear(moved(pose.skinningMatrices()[0], fingertip), {-2.0f, 0.0f, 0.0f});
    TestSupport::expectVecNear(moved(pose.skinningMatrices()[1], {1.0f, 0.0f, 0.0f}), {0.0f, 1.0f, 0.0f});
    // A mesh bone the skeleton lacks keeps its vertices where they are.
    EXPECT_EQ(pose.skinningMatrices()[2], glm::mat4(1.0f));

    // The cycle loops: a second and a half in is half way again.
    pose.evaluate(1.5f);
    TestSupport::expectVecNear(moved(pose.skinningMatrices()[0], fingertip), {-2.0f, 0.0f, 0.0f});
    pose.evaluate(1.0f);
    TestSupport::expectVecNear(moved(pose.skinningMatrices()[0], fingertip), fingertip);
}

TEST(SkeletalPose, BonesWithoutChannelsKeepTheSkeletonAndBadLinksDoNotHang)
{
    // Channels for unknown bones, and channels without keys, are ignored: the bones keep their
    // local matrices.
    Animation other = shoulderTurn();
    other.channels[0].boneName = "wing";
    Engine::GFX::AnimationChannel keyless;
    keyless.boneName = "hand";
    other.channels.push_back(keyless);
    Skeleton turnedHand = armSkeleton();
    turnedHand.bones[0].localMatrix = glm::rotate(turnedHand.bones[0].localMatrix, 1.0f, glm::vec3(1.0f, 0.0f, 0.0f));
    SkeletalPose still(turnedHand, other, armMeshBones());
    still.evaluate(0.5f);
    EXPECT_EQ(still.boneMatrices()[0], turnedHand.bones[0].localMatrix);

    // Two bones naming each other as parent (which no file reader lets through) still pose.
    Skeleton looped = armSkeleton();
    looped.bones[1].hasParent = true;
    looped.bones[1].parentIndex = 0;
    SkeletalPose cycle(looped, shoulderTurn(), armMeshBones());
    cycle.evaluate(0.25f);
    for (const glm::mat4& matrix : cycle.boneMatrices())
        EXPECT_TRUE(TestSupport::isFinite(moved(matrix, glm::vec3(0.0f))));

    // Nothing at all: nothing to pose.
    SkeletalPose empty(Skeleton{}, Animation{}, {});
    empty.evaluate(3.0f);
    EXPECT_TRUE(empty.boneMatrices().empty());
}

// The shipped figure runs in place: over its cycle the head stays above the hips, the feet
// stay near the floor, and the cycle ends in the pose it starts with.
TEST(SkeletalPose, ShippedRunningFigureRunsInPlace)
{
    Skeleton skeleton;
    Animation animation;
    ASSERT_TRUE(skeleton.loadFromFile("./data/skeletons/animation.cskel"));
    ASSERT_TRUE(animation.loadFromFile("./data/animations/animation_running.canim"));
    SkeletalPose pose(skeleton, animation, {});
    const uint32_t head = skeleton.nameToIndex.at("head");
    const uint32_t hips = skeleton.nameToIndex.at("hips");
    const uint32_t shin = skeleton.nameToIndex.at("lowerLeg.L");
    pose.evaluate(0.0f);
    const glm::mat4 start = pose.boneMatrices()[shin];
    for (float t = 0.0f; t < animation.loopLength(); t += 0.05f) {
        pose.evaluate(t);
        const glm::vec3 headAt = moved(pose.boneMatrices()[head], glm::vec3(0.0f));
        EXPECT_GT(headAt.z, moved(pose.boneMatrices()[hips], glm::vec3(0.0f)).z + 0.3f) << t;
        const glm::vec3 knee = moved(pose.boneMatrices()[shin], glm::vec3(0.0f));
        EXPECT_GT(knee.z, 0.2f) << t;
        EXPECT_LT(knee.z, 0.7f) << t;
    }
    pose.evaluate(animation.loopLength());
    for (int column = 0; column < 4; ++column)
        TestSupport::expectVecNear(glm::vec3(pose.boneMatrices()[shin][column]), glm::vec3(start[column]), 1e-4f);
}
