#include "game/course/gatecrossing.h"

#include <gtest/gtest.h>

#include <glm/gtc/constants.hpp>

#include <random>

using Game::OrientedBox;
namespace GateCrossing = Game::GateCrossing;

namespace {

// A gate 1 cm thick along its local z, 4 by 6 units across, turned by `rotation`.
OrientedBox thinGate(const glm::quat& rotation, glm::vec3 center = {10.0f, -3.0f, 250.0f})
{
    OrientedBox box;
    box.center = center;
    box.halfExtents = {2.0f, 3.0f, 0.005f};
    box.rotation = rotation;
    return box;
}

glm::quat randomRotation(std::mt19937& random)
{
    std::normal_distribution<float> n;
    return glm::normalize(glm::quat(n(random), n(random), n(random), n(random)));
}

glm::vec3 randomDirection(std::mt19937& random)
{
    std::normal_distribution<float> n;
    return glm::normalize(glm::vec3(n(random), n(random), n(random)));
}

} // namespace

TEST(GateCrossing, FastStepsThroughAThinGateAreSeenFromEveryDirection)
{
    std::mt19937 random(27);
    for (int i = 0; i < 2000; ++i) {
        const OrientedBox gate = thinGate(randomRotation(random));
        const glm::vec3 direction = randomDirection(random);
        const glm::vec3 normal = gate.rotation * glm::vec3(0, 0, 1);
        const float facing = std::fabs(glm::dot(direction, normal));
        if (facing < 0.05f)
            continue; // nearly along the gate's plane: it would pass its edge, not its face
        // 2 units a step is 720 km/h; the ends lie well outside the gate on both sides.
        const glm::vec3 through = gate.center + gate.rotation * glm::vec3(1.5f, -2.5f, 0.0f);
        const float step = 2.0f + 200.0f * float(i % 3);
        const glm::vec3 from = through - direction * step * 0.37f;
        const glm::vec3 to = through + direction * step * 0.63f;
        ASSERT_FALSE(GateCrossing::contains(gate, from));
        ASSERT_FALSE(GateCrossing::contains(gate, to));
        const auto hit = GateCrossing::entry(gate, from, to);
        ASSERT_TRUE(hit) << i;
        // Entered at the near face, half the thickness before the middle.
        EXPECT_NEAR(*hit, 0.37f - 0.005f / (facing * step), 1e-4f);
        EXPECT_TRUE(GateCrossing::entry(gate, to, from)) << "backwards " << i;
        // The same step beside the gate, or stopping short of it, misses.
        const glm::vec3 beside = gate.rotation * glm::vec3(4.1f, 0.0f, 0.0f);
        EXPECT_FALSE(GateCrossing::entry(gate, from + beside, to + beside)) << i;
        EXPECT_FALSE(GateCrossing::entry(gate, from, through - direction * 0.1f)) << i;
    }
}

TEST(GateCrossing, SegmentsStartingInsideOrOnlyTouchingCount)
{
    const OrientedBox gate = thinGate(glm::angleAxis(glm::half_pi<float>(), glm::vec3(0, 1, 0)), {0, 0, 0});
    // Turned a quarter about y, the gate's thin axis is world x and its 4-unit width lies along z.
    EXPECT_TRUE(GateCrossing::contains(gate, {0.005f, 2.9f, -1.9f}));
    EXPECT_FALSE(GateCrossing::contains(gate, {0.0f, 0.0f, 2.1f}));
    EXPECT_EQ(GateCrossing::entry(gate, {0, 0, 0}, {50, 0, 0}), 0.0f);
    EXPECT_EQ(GateCrossing::entry(gate, {-1.005f, 0, 0}, {-0.005f, 0, 0}), 1.0f);
    EXPECT_EQ(GateCrossing::entry(gate, {0, 0, 0}, {0, 0, 0}), 0.0f);
    EXPECT_FALSE(GateCrossing::entry(gate, {1, 0, 0}, {1, 0, 0}));
    EXPECT_FALSE(GateCrossing::entry(gate, {-5, 0, 2.1f}, {5, 0, 2.1f})); // past its edge
    EXPECT_TRUE(GateCrossing::entry(gate, {-5, 0, 1.9f}, {5, 0, 1.9f}));
}
