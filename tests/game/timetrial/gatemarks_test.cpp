#include "game/timetrial/gatemarks.h"

#include <gtest/gtest.h>

#include <glm/gtc/quaternion.hpp>

#include <algorithm>

using Game::Gate;
using Game::GateKind;
namespace GateMarks = Game::GateMarks;

namespace {

const glm::quat kMarksTurn = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1));

Gate marksGate(GateKind kind, int number)
{
    return Gate{kind, number, Game::OrientedBox{{10, 0, 2}, {0.25f, 3, 2}, kMarksTurn}};
}

// A bar's centre in the gate's own axes.
glm::vec3 marksLocal(const Gate& gate, const Game::OrientedBox& bar)
{
    return glm::conjugate(gate.box.rotation) * (bar.center - gate.box.center);
}

} // namespace

TEST(GateMarks, ANumberStandsOnTheFaceTowardsTheViewerReadingLeftToRight)
{
    GateMarks::Bars bars;
    const Gate twelve = marksGate(GateKind::Checkpoint, 12);
    // The gate's local +x is world +y: a viewer at +y sees the +x face, its right hand along +y local.
    for (const float side : {1.0f, -1.0f}) {
        const glm::vec3 eye = twelve.box.center + side * glm::vec3(0, 20, 0);
        ASSERT_EQ(GateMarks::of(twelve, eye, bars), 5u + 2u) << "a two (5 bars) and a one (2 bars)";
        float oneAt = 0.0f, twoAt = 0.0f;
        for (size_t i = 0; i < 7; ++i) {
            const glm::vec3 local = marksLocal(twelve, bars[i]);
            EXPECT_GT(side * local.x, twelve.box.halfExtents.x) << "outside the face the viewer sees";
            EXPECT_LT(std::abs(local.y), twelve.box.halfExtents.y);
            EXPECT_LT(std::abs(local.z), twelve.box.halfExtents.z);
            (i < 5 ? twoAt : oneAt) += side * local.y;
        }
        EXPECT_LT(oneAt / 2.0f, twoAt / 5.0f) << "the tens stand left of the ones, seen from side " << side;
    }

    EXPECT_EQ(GateMarks::of(marksGate(GateKind::Checkpoint, 8), {10, 20, 2}, bars), 7u);
    EXPECT_EQ(GateMarks::of(marksGate(GateKind::Checkpoint, 256), {10, 20, 2}, bars), 5u + 5u + 6u);
    EXPECT_EQ(GateMarks::of(marksGate(GateKind::Finish, 0), {10, 20, 2}, bars), 0u);
}

TEST(GateMarks, TheStartsArrowPointsAlongItsFacing)
{
    GateMarks::Bars bars;
    const Gate start = marksGate(GateKind::Start, 0);
    ASSERT_EQ(GateMarks::of(start, {0, 0, 0}, bars), 3u);
    // The shaft runs along the facing; both head bars lie ahead of the centre, one on each side.
    const glm::vec3 shaft = bars[0].rotation * glm::vec3(1, 0, 0);
    EXPECT_NEAR(std::abs(glm::dot(shaft, start.box.rotation * glm::vec3(1, 0, 0))), 1.0f, 1e-5f);
    const glm::vec3 left = marksLocal(start, bars[1]), right = marksLocal(start, bars[2]);
    EXPECT_GT(left.x, 0.0f);
    EXPECT_GT(right.x, 0.0f);
    EXPECT_LT(left.y * right.y, 0.0f);
    EXPECT_LT(marksLocal(start, bars[0]).z, -start.box.halfExtents.z + 0.5f) << "on the floor, below a player's view";
}
