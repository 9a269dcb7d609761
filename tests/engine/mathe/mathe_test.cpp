#include "engine/mathe/mathe.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Engine::Mathe;

TEST(Mathe, RayPlaneHitCountsOnlyTheFrontSide)
{
    const glm::vec3 origin(0, -10, 0);
    const auto hit = rayPlaneHit(origin, glm::normalize(glm::vec3(1, 1, 0)), {0, 0, 0}, {0, -1, 0});
    ASSERT_TRUE(hit);
    EXPECT_NEAR(hit->x, 10.0f, 1e-4f);
    EXPECT_NEAR(hit->y, 0.0f, 1e-4f);

    EXPECT_FALSE(rayPlaneHit(origin, {0, 1, 0}, {0, 0, 0}, {0, 1, 0}));  // from behind
    EXPECT_FALSE(rayPlaneHit(origin, {1, 0, 0}, {0, 0, 0}, {0, -1, 0})); // edge-on
    EXPECT_FALSE(rayPlaneHit(origin, glm::normalize(glm::vec3(1, 1e-9f, 0)), {0, 0, 0}, {0, -1, 0}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(rayPlaneHit(origin, {nan, 1, 0}, {0, 0, 0}, {0, -1, 0}));
}

TEST(Mathe, AxisHelpersStayOnTheAxisAndDegenerateToZero)
{
    // Eye above the x axis and in front of it: the plane contains x and faces the eye.
    const glm::vec3 n = facingPlaneNormal({3, -4, 3}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1});
    EXPECT_NEAR(glm::length(n), 1.0f, 1e-6f);
    EXPECT_NEAR(n.x, 0.0f, 1e-6f);
    EXPECT_EQ(facingPlaneNormal({5, 0, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}), glm::vec3(0.0f));

    const glm::vec3 q = pointOntoAxis({2, 0, 1}, {0, 0, 0}, {0, -1, 0}, {1, 0, 0});
    EXPECT_EQ(q, glm::vec3(2, 0, 0));
    EXPECT_EQ(safeNormalize(glm::vec3(0.0f)), glm::vec3(0.0f));
    EXPECT_EQ(sign(-3.0f), -1.0f);
    EXPECT_EQ(sign(0.0f), 0.0f);
}

TEST(Mathe, AngleAboutRunsAFullTurnCounterClockwise)
{
    const glm::vec3 z(0, 0, 1);
    EXPECT_NEAR(angleAbout({1, 0, 0}, {0, 1, 0}, z), kTwoPi / 4, 1e-6f);
    EXPECT_NEAR(angleAbout({1, 0, 0}, {0, -1, 0}, z), kTwoPi * 3 / 4, 1e-5f);
    EXPECT_NEAR(angleAbout({1, 0, 0}, {-1, 0, 0}, z), kTwoPi / 2, 1e-5f);
    EXPECT_EQ(angleAbout({1, 0, 0}, {1, 0, 0}, z), 0.0f);
    EXPECT_EQ(angleAbout({0, 0, 0}, {1, 0, 0}, z), 0.0f);
}
