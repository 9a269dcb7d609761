// One scripted run through the real physics world: run, jump, fire the rope at a block, swing,
// let go, land. Set TX_PLAYER_TRACE=1 to print the position every 100 ms.
#include "tests/game/player/playertestworld.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <cstdio>
#include <cstdlib>
#include <vector>

using PlayerTest::PlayerWorld;

namespace {

struct Sample {
    int ms;
    glm::vec3 position;
    bool attached;
    bool onGround;
};

const char* phaseOf(const Sample& s)
{
    if (s.ms <= 1000)
        return "run";
    if (s.attached)
        return "rope";
    if (s.onGround)
        return "landed";
    return s.ms <= 1200 ? "jump" : "flight";
}

} // namespace

TEST(ScriptedRun, RunJumpRopeSwingReleaseLand)
{
    PlayerWorld w;
    w.addBlock({0, 14, 24}, {4, 1, 2}); // a beam high across the way, underside at z = 22
    w.placeAt(0, 0);
    w.run(5);
    w.look(90.0f);

    const int releaseTick = std::getenv("TX_RELEASE") ? std::atoi(std::getenv("TX_RELEASE")) : 280;
    std::vector<Sample> trace;
    float ropeLength = 0.0f;
    glm::vec3 anchor(0.0f);
    float highestAfterRelease = 0.0f;
    for (int tick = 0; tick < releaseTick + 120; ++tick) {
        w.input.keys.forward = tick < releaseTick;
        w.input.jumpHeld = tick == 100;
        if (tick == 120)
            w.look(90.0f, 80.0f);
        w.input.ropeHeld = tick >= 120 && tick < releaseTick;
        w.tick();
        if (tick == 120) {
            ASSERT_TRUE(w.body().attached) << "the rope reaches the beam";
            ropeLength = w.body().ropeLength;
            anchor = w.body().anchor;
        }
        if (w.body().attached) {
            ASSERT_LE(glm::length(w.position() - anchor), ropeLength + 1e-3f);
        }
        if (tick >= releaseTick)
            highestAfterRelease = std::max(highestAfterRelease, w.position().z);
        if ((tick + 1) % 10 == 0)
            trace.push_back({(tick + 1) * 10, w.position(), w.body().attached, w.controller().onGround});
    }
    EXPECT_FALSE(w.body().attached);
    EXPECT_TRUE(w.controller().onGround);
    EXPECT_NEAR(w.position().z, w.groundZ(), 0.01f) << "landed";
    EXPECT_GT(w.position().y, anchor.y) << "swung past the beam";

    if (std::getenv("TX_PLAYER_TRACE")) {
        std::printf("anchor (%.2f, %.2f, %.2f), rope length %.2f\n", anchor.x, anchor.y, anchor.z, ropeLength);
        std::printf("  ms      x       y       z   rope ground phase\n");
        for (const Sample& s : trace)
            std::printf("%4d %6.2f %7.2f %7.2f   %s   %s   %s\n", s.ms, s.position.x, s.position.y, s.position.z,
                        s.attached ? "on " : "off", s.onGround ? "yes" : "no ", phaseOf(s));
    }
}
