#include "game/camera/cameramath.h"

#include "tests/support/vecnear.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <cmath>
#include <limits>

using namespace Game::CameraMath;

using TestSupport::expectVecNear;

TEST(CameraMath, DirectionsFromAnglesAreOrthonormal)
{
    expectVecNear(forwardFromAngles(0, 0), {1, 0, 0});
    expectVecNear(forwardFromAngles(90, 0), {0, 1, 0});
    expectVecNear(forwardFromAngles(0, 90), {0, 0, 1});
    expectVecNear(upFromAngles(0, 0, 0), {0, 0, 1});
    expectVecNear(upFromAngles(0, 0, 90), {0, 1, 0}); // rolled onto its left side
    for (float yaw : {-170.0f, 10.0f, 123.0f})
        for (float pitch : {-80.0f, 0.0f, 45.0f})
            for (float roll : {0.0f, 30.0f}) {
                const glm::vec3 f = forwardFromAngles(yaw, pitch);
                const glm::vec3 u = upFromAngles(yaw, pitch, roll);
                EXPECT_NEAR(glm::length(f), 1.0f, 1e-5f);
                EXPECT_NEAR(glm::length(u), 1.0f, 1e-5f);
                EXPECT_NEAR(glm::dot(f, u), 0.0f, 1e-5f);
            }
}

TEST(CameraMath, AngleWrapAndShortestArc)
{
    EXPECT_FLOAT_EQ(wrapAngle(358.0f), -2.0f);
    EXPECT_FLOAT_EQ(wrapAngle(-358.0f), 2.0f);
    EXPECT_FLOAT_EQ(wrapAngle(180.0f), -180.0f);
    EXPECT_NEAR(wrapAngle(190.25f), -169.75f, 1e-4f);
    EXPECT_EQ(wrapAngle(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    // 179 to -179 passes through 180, not through 0.
    EXPECT_FLOAT_EQ(interpolateYaw(179.0f, -179.0f, 0.5f), 180.0f);
    EXPECT_FLOAT_EQ(interpolateYaw(-179.0f, 179.0f, 0.5f), -180.0f);
    EXPECT_FLOAT_EQ(interpolateYaw(10.0f, 30.0f, 0.25f), 15.0f);
}

TEST(CameraMath, MouseLookTurnsWrapsAndClampsPitch)
{
    LookAngles a = mouseLook(0, 0, 10, -20); // right and up
    EXPECT_FLOAT_EQ(a.yaw, -5.0f);
    EXPECT_FLOAT_EQ(a.pitch, 10.0f);
    a = mouseLook(0, 80, 0, -100);
    EXPECT_FLOAT_EQ(a.pitch, 90.0f);
    a = mouseLook(a.yaw, a.pitch, 0, -100);
    EXPECT_FLOAT_EQ(a.pitch, 90.0f) << "further motion upwards changes nothing";
    a = mouseLook(350.0f, 0, -40, 0);
    EXPECT_FLOAT_EQ(a.yaw, 10.0f);
    a = mouseLook(std::numeric_limits<float>::infinity(), 0, 0, 0);
    EXPECT_TRUE(std::isfinite(a.yaw));

    // The player's sensitivity scales the turn; inverted, moving the mouse down looks up.
    a = mouseLook(0, 0, 10, 20, {2.0f, true});
    EXPECT_FLOAT_EQ(a.yaw, -10.0f);
    EXPECT_FLOAT_EQ(a.pitch, 20.0f);
}

TEST(CameraMath, DriveMotions)
{
    MoveKeys w;
    w.forward = true;
    expectVecNear(freeCamStep(90, 0, 0, w), {0, 0.4f, 0});
    MoveKeys a;
    a.left = true;
    expectVecNear(freeCamStep(0, 0, 0, a), {0, 0.4f, 0});
    MoveKeys wa = w;
    wa.left = true;
    EXPECT_FLOAT_EQ(freeCamKeyAngle(wa), 45.0f);
    MoveKeys ws = w;
    ws.back = true;
    EXPECT_FLOAT_EQ(freeCamKeyAngle(ws), 270.0f) << "no special rule for W with S";
    expectVecNear(freeCamStep(0, 0, 0, MoveKeys{}), {0, 0, 0});

    // Looking along +x with z up: right is -y.
    expectVecNear(panStep({0, 0, 0}, {1, 0, 0}, {0, 0, 1}, 20, 10), {0, -1.0f, -0.5f});
    expectVecNear(zoomStep({0, 0, 0}, {0, 3, 0}, -1), {0, -1, 0});
    expectVecNear(zoomStep({0, 0, 0}, {0, 3, 0}, 2), {0, 2, 0}); // notches of one step add up
    expectVecNear(zoomStep({1, 1, 1}, {1, 1, 1}, 1), {0, 0, 0});
    expectVecNear(panStep({0, 0, 0}, {0, 0, 1}, {0, 0, 1}, 5, 0), {0, 0, 0});
}

TEST(CameraMath, PadLookTurnsByTiltWithItsOwnSettings)
{
    using Game::CameraMath::padLook;
    const Game::CameraMath::LookAngles right = padLook(90.0f, 0.0f, {1.0f, 0.0f});
    EXPECT_FLOAT_EQ(right.yaw, 90.0f - Game::CameraMath::padDegreesPerTick) << "right turns right";
    EXPECT_FLOAT_EQ(padLook(0.0f, 0.0f, {0.0f, 0.5f}).pitch, 0.9f) << "up looks up, by the tilt";
    Game::CameraMath::LookSettings settings;
    settings.sensitivity = 5.0f; // the mouse's: no part of the stick's turn
    settings.padSensitivity = 2.0f;
    settings.padInvert = true;
    EXPECT_FLOAT_EQ(padLook(0.0f, 0.0f, {0.0f, 0.5f}, settings).pitch, -1.8f);
    EXPECT_FLOAT_EQ(padLook(0.0f, 89.0f, {0.0f, -1.0f}, settings).pitch, 90.0f) << "pitch clamped";
}
