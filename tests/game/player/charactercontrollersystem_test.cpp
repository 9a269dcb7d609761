#include "tests/game/player/playertestworld.h"
#include "tests/support/vecnear.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <glm/trigonometric.hpp>

#include <cmath>

using PlayerTest::PlayerWorld;

namespace {

float horizontalSpeed(const glm::vec3& v) { return std::hypot(v.x, v.y); }

// Lets a freshly placed player settle onto the floor.
void settle(PlayerWorld& w)
{
    w.run(5);
    ASSERT_TRUE(w.controller().onGround);
}

// A block whose underside is at z = 28 straight above the player standing at the origin, and the
// rope fired up into it; true when the rope holds.
bool ropeUpToBlockAbove(PlayerWorld& w)
{
    w.addBlock({0, 0, 30}, {2, 2, 2});
    w.placeAt(0, 0);
    settle(w);
    w.look(0.0f, 90.0f);
    w.input.ropeHeld = true;
    w.tick();
    return w.body().attached;
}

} // namespace

TEST(CharacterControllerSystem, StandingOnTheFloorStaysAtRest)
{
    PlayerWorld w;
    w.run(200); // falls from the spawn point at z = 10 and lands
    const glm::vec3 rest = w.position();
    EXPECT_NEAR(rest.z, w.groundZ(), 0.01f);
    w.run(300);
    EXPECT_NEAR(glm::length(w.position() - rest), 0.0f, 1e-4f);
    EXPECT_EQ(w.body().velocity, glm::vec3(0.0f));
    EXPECT_TRUE(w.controller().onGround);
    EXPECT_FLOAT_EQ(w.camera().offset.z, 0.3f) << "eye 0.3 above the capsule's centre";
}

TEST(CharacterControllerSystem, WalkingOneSecondCoversTheDistanceOfAccelerationAndFriction)
{
    PlayerWorld w;
    w.placeAt(0, 0);
    settle(w);
    w.look(90.0f); // along +y
    w.input.keys.forward = true;
    w.run(100);
    // From standing the first tick gives 1.1, then 0.6 net per tick (1.1 gained against 0.5
    // lost) up to 9 at the 15th tick; each tick moves at its new speed:
    // (1.1 + 1.7 + ... + 8.3) + 86 · 9 = 70 + 774 units·ticks = 8.44 units.
    EXPECT_NEAR(w.position().y, 8.44f, 0.01f);
    EXPECT_NEAR(w.position().x, 0.0f, 1e-3f);
    EXPECT_NEAR(horizontalSpeed(w.body().velocity), 9.0f, 1e-3f);

    w.input.keys.forward = false;
    int ticks = 0;
    while (horizontalSpeed(w.body().velocity) > 0.0f && ticks < 100) {
        w.tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 18) << "0.5 lost per tick on the ground";
    EXPECT_NEAR(w.position().y, 8.44f + 0.765f, 0.01f) << "8.5 + 8.0 + ... + 0.5 units·ticks";
}

TEST(CharacterControllerSystem, JumpReachesItsHeightAndLands)
{
    PlayerWorld w;
    w.placeAt(0, 0);
    settle(w);
    const float ground = w.position().z;
    w.input.jumpHeld = true;
    w.tick();
    w.input.jumpHeld = false;
    float peak = ground;
    int airborne = 0;
    for (int i = 0; i < 300; ++i) {
        w.tick();
        peak = std::max(peak, w.position().z);
        if (w.position().z > ground + 0.01f)
            ++airborne;
    }
    // v² / 2g = 100 / 30 = 3.33; the discrete ticks add a little.
    EXPECT_NEAR(peak - ground, 100.0f / 30.0f, 0.08f);
    EXPECT_NEAR(airborne, 133, 4) << "2 · 10 / 15 s in the air";
    EXPECT_NEAR(w.position().z, ground, 0.01f);
    EXPECT_TRUE(w.controller().onGround);
    EXPECT_EQ(w.controller().verticalVelocity, 0.0f);

    // Holding the space bar jumps again at every landing.
    w.input.jumpHeld = true;
    int takeoffs = 0;
    bool wasUp = false;
    for (int i = 0; i < 300; ++i) {
        w.tick();
        const bool up = w.position().z > ground + 0.05f;
        takeoffs += up && !wasUp;
        wasUp = up;
    }
    EXPECT_EQ(takeoffs, 3);
}

TEST(CharacterControllerSystem, WalkingIntoAWallAtAnAngleSlidesAlongIt)
{
    PlayerWorld w;
    w.addBlock({4, 0, 2}, {1, 60, 2}); // wall face at x = 3
    w.placeAt(0, 0);
    settle(w);
    w.look(60.0f); // 30° off the wall's normal
    w.input.keys.forward = true;
    float lastY = w.position().y;
    int slowTicks = 0;
    for (int i = 0; i < 300; ++i) {
        w.tick();
        ASSERT_TRUE(TestSupport::isFinite(w.position()));
        ASSERT_LE(w.position().x, 3.0f - 0.305f + 0.006f) << "tick " << i;
        slowTicks += i > 150 && w.position().y - lastY < 0.03f;
        lastY = w.position().y;
    }
    EXPECT_NEAR(w.position().x, 3.0f - 0.305f, 0.01f);
    EXPECT_EQ(slowTicks, 0) << "never stops dead against the wall";
    // Each tick the stored speed is cut to what was achieved along the wall (sin 60° of the
    // push, which adds 0.6 net), so it settles where s = 0.866 · (s + 0.6).
    const float settled = 0.6f * std::sin(glm::radians(60.0f)) / (1.0f - std::sin(glm::radians(60.0f)));
    EXPECT_NEAR(horizontalSpeed(w.body().velocity), settled, 0.05f);
}

TEST(CharacterControllerSystem, CornerOfTwoWallsDoesNotHang)
{
    PlayerWorld w;
    w.addBlock({4, 0, 2}, {1, 5, 2}); // face at x = 3
    w.addBlock({0, 4, 2}, {5, 1, 2}); // face at y = 3
    w.placeAt(0, 0);
    settle(w);
    w.look(45.0f);
    w.input.keys.forward = true;
    w.input.jumpHeld = true; // jumping into the corner as well
    for (int i = 0; i < 300; ++i) {
        w.tick();
        ASSERT_TRUE(TestSupport::isFinite(w.position()));
    }
    EXPECT_NEAR(w.position().x, 3.0f - 0.305f, 0.02f);
    EXPECT_NEAR(w.position().y, 3.0f - 0.305f, 0.02f);
}

TEST(CharacterControllerSystem, RopeAttachesOnlyToSurfacesWithinRange)
{
    PlayerWorld w;
    w.addBlock({50, 0, 5}, {1, 1, 5});   // 49 units away along +x
    w.addBlock({0, 150, 5}, {1, 1, 5});  // 149 units away along +y
    w.placeAt(0, 0);
    settle(w);
    const glm::vec3 start = w.position();

    w.look(90.0f); // the far block: out of range
    w.input.ropeHeld = true;
    w.tick();
    EXPECT_FALSE(w.body().attached);
    w.look(0.0f);
    w.run(3);
    EXPECT_FALSE(w.body().attached) << "holding the button after a miss does not retry";
    w.input.ropeHeld = false;
    w.tick();

    w.look(180.0f, 10.0f); // empty sky: only the player's own capsule is near the ray
    w.input.ropeHeld = true;
    w.tick();
    EXPECT_FALSE(w.body().attached);
    w.input.ropeHeld = false;
    w.tick();

    w.look(0.0f);
    w.input.ropeHeld = true;
    w.tick();
    ASSERT_TRUE(w.body().attached);
    EXPECT_NEAR(w.body().anchor.x, 49.0f, 1e-3f);
    EXPECT_NEAR(w.body().ropeLength, 49.0f - start.x, 0.01f);
    w.run(20);
    EXPECT_TRUE(w.body().attached);
    w.input.ropeHeld = false;
    w.tick();
    EXPECT_FALSE(w.body().attached) << "letting go of the button releases the rope";
}

TEST(CharacterControllerSystem, SwingStaysOnTheRopeAndReleaseFliesFree)
{
    PlayerWorld w;
    w.addBlock({0, 0, 30}, {2, 2, 2}); // a block high above, its near face at y = -2
    w.placeAt(0, -20, 12.0f);          // high up, well off to the side
    w.look(90.0f, 45.0f);              // up towards the block's near face
    w.input.ropeHeld = true;
    w.tick();
    ASSERT_TRUE(w.body().attached);
    const glm::vec3 anchor = w.body().anchor;
    const float length = w.body().ropeLength;

    float fastest = 0.0f;
    float lowest = w.position().z;
    for (int i = 0; i < 150; ++i) {
        w.tick();
        ASSERT_TRUE(TestSupport::isFinite(w.position()));
        ASSERT_LE(glm::length(w.position() - anchor), length + 1e-3f) << "tick " << i;
        fastest = std::max(fastest, horizontalSpeed(w.body().velocity));
        lowest = std::min(lowest, w.position().z);
    }
    EXPECT_GT(fastest, 9.0f) << "a swing is faster than running";
    EXPECT_GT(lowest, 0.5f) << "the rope kept the player off the floor";

    w.input.ropeHeld = false;
    w.tick();
    EXPECT_FALSE(w.body().attached);
    // Free flight: only gravity acts on the vertical speed, 15 · 0.01 per tick.
    const float v0 = w.controller().verticalVelocity;
    w.tick();
    EXPECT_NEAR(w.controller().verticalVelocity, v0 - 0.15f, 1e-4f);
    w.run(600);
    EXPECT_NEAR(w.position().z, w.groundZ(), 0.01f) << "landed";
    EXPECT_TRUE(w.controller().onGround);
}

TEST(CharacterControllerSystem, TheWheelReelsTheRopeWithinItsBounds)
{
    PlayerWorld w;
    ASSERT_TRUE(ropeUpToBlockAbove(w));
    const glm::vec3 anchor = w.body().anchor;
    const float fired = w.body().ropeLength;

    // Each notch up reels in one unit and pulls the player along the rope, off the floor.
    w.input.wheel = 1;
    for (int notch = 1; notch <= 5; ++notch) {
        w.tick();
        EXPECT_NEAR(w.body().ropeLength, fired - float(notch), 1e-4f);
        EXPECT_LE(glm::length(w.position() - anchor), w.body().ropeLength + 1e-3f);
    }
    EXPECT_GT(w.position().z, w.groundZ() + 4.0f);

    // No shorter than 2, however long the wheel turns; the player then hangs under the block.
    w.run(40);
    EXPECT_FLOAT_EQ(w.body().ropeLength, 2.0f);
    EXPECT_LE(glm::length(w.position() - anchor), 2.0f + 1e-3f);
    EXPECT_LE(w.position().z + w.body().capsuleHalfHeight(), 28.0f + 1e-3f);

    // Reeling out lengthens one unit a notch up to 100; the player drops back to the floor.
    w.input.wheel = -1;
    w.tick();
    EXPECT_FLOAT_EQ(w.body().ropeLength, 3.0f);
    w.run(150);
    EXPECT_FLOAT_EQ(w.body().ropeLength, 100.0f);
    w.input.wheel = 0;
    w.run(200);
    EXPECT_NEAR(w.position().z, w.groundZ(), 0.01f);

    // With the rope let go, the wheel does nothing.
    w.input.ropeHeld = false;
    w.input.wheel = 1;
    w.run(3);
    EXPECT_FALSE(w.body().attached);
    EXPECT_NEAR(w.position().z, w.groundZ(), 0.01f);
}

TEST(CharacterControllerSystem, ReelingInStopsAtBlocksInsteadOfPassingThem)
{
    PlayerWorld w;
    ASSERT_TRUE(ropeUpToBlockAbove(w));
    const glm::vec3 anchor = w.body().anchor;

    // A slab between the player and the anchor, its underside at z = 9.5, and another block the
    // slide along it could carry him into.
    w.addBlock({0, 0, 10}, {5, 5, 0.5f});
    w.addBlock({0, 5.6f, 8}, {5, 0.5f, 2});
    w.input.wheel = 1;
    float shortest = w.body().ropeLength;
    for (int tick = 0; tick < 60; ++tick) {
        w.tick();
        const glm::vec3 p = w.position();
        ASSERT_LE(p.z + w.body().capsuleHalfHeight(), 9.5f + 0.01f) << "tick " << tick << ": through the slab";
        ASSERT_LE(p.y, 5.1f - 0.305f + 0.01f) << "tick " << tick << ": into the side block";
        ASSERT_LE(glm::length(p - anchor), w.body().ropeLength + 1e-3f);
        shortest = std::min(shortest, w.body().ropeLength);
    }
    // The rope is as short as the slab let the player get, not the shortest length there is.
    EXPECT_NEAR(shortest, 28.0f - 9.5f + w.body().capsuleHalfHeight(), 0.05f);
    EXPECT_GT(w.position().z, w.groundZ() + 5.0f) << "he hangs under the slab";
}

TEST(CharacterControllerSystem, DisabledPlayerDoesNotMove)
{
    PlayerWorld w;
    w.placeAt(3, 4, 2.0f);
    w.body().enabled = false;
    w.input.keys.forward = true;
    w.run(50);
    EXPECT_EQ(w.body().position(), glm::vec3(3, 4, w.groundZ() + 2.0f));
}

TEST(CharacterControllerSystem, ResetStopsMotionButKeepsThePlace)
{
    PlayerWorld w;
    w.placeAt(0, 0, 3.0f);
    w.input.keys.forward = true;
    w.run(10);
    const glm::vec3 place = w.body().position();
    w.body().resetMotion();
    EXPECT_EQ(w.body().velocity, glm::vec3(0.0f));
    EXPECT_EQ(w.controller().verticalVelocity, 0.0f);
    EXPECT_FALSE(w.controller().onGround);
    EXPECT_EQ(w.body().position(), place);
}

TEST(CharacterControllerSystem, TheSameInputMovesThePlayerAlikeWhateverTheWorldHeldBefore)
{
    // A stored run is re-played in a fresh world; the game's world has seen other blocks come and
    // go, which leaves its broadphase in another shape. Over tiles that the capsule touches two or
    // three at a time, and a wall it slides along, the path must not depend on that history.
    const auto walk = [](bool withHistory) {
        PlayerWorld w;
        if (withHistory) {
            std::vector<std::unique_ptr<PhysicsTest::StaticBody>> earlier;
            for (int i = 0; i < 150; ++i)
                earlier.push_back(PhysicsTest::box(w.physics, 500 + i, {float(i % 13) * 1.7f - 3, float(i / 13) - 6, 0.3f},
                                                   {0.6f, 0.4f, 0.3f + float(i % 5) * 0.1f}));
            w.run(3);
            w.body().resetMotion();
        }
        for (int i = 0; i < 12; ++i)
            w.addBlock({1.0f + float(i), float(i % 3) * 0.5f - 0.5f, 0.2f}, {0.5f, 0.5f, 0.2f});
        w.addBlock({6, 1.2f, 1}, {6, 0.2f, 1});
        w.placeAt(1.5f, -0.2f, 0.5f); // over where three tiles meet: it lands on them at once
        w.look(10.0f);
        std::vector<glm::vec3> path;
        for (int i = 0; i < 180; ++i) {
            w.input.keys.forward = true;
            w.input.keys.left = i > 40 && i < 120;
            w.input.jumpHeld = i % 50 == 10;
            w.run(1);
            path.push_back(w.body().position());
        }
        return path;
    };
    EXPECT_EQ(walk(true), walk(false));
}
