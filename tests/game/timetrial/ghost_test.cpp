#include "game/timetrial/ghost.h"

#include "tests/support/vecnear.h"

#include <gtest/gtest.h>

#include <cmath>

using Game::Ghost;
using Game::GhostSample;
using Game::RunPhase;
using Game::RunRecord;

namespace {

constexpr float kSampleSeconds = 0.04f; // four steps a sample

// A best run of 100 recorded steps whose timer ran for the last 80 (it waited 20 steps at the
// start), sampled every 4 steps: it walks along +x at half the cycle's pace for 10 samples,
// swings on the rope for 5, sprints for 5 and then climbs straight up.
RunRecord walkSwingSprintRun()
{
    RunRecord record;
    record.inputSteps = 100;
    record.times.total = 80;
    record.ghostInterval = 4;
    GhostSample sample;
    sample.yaw = 10.0f;
    for (int i = 0; i <= 25; ++i) {
        record.ghost.push_back(sample);
        const float speed = i < 10 ? Ghost::kCycleSpeed / 2.0f : i < 20 ? 10.0f * Ghost::kCycleSpeed : 0.0f;
        sample.position.x += speed * kSampleSeconds;
        sample.position.z += i >= 20 ? 1.0f : 0.0f;
        sample.roped = i >= 9 && i < 14;
        sample.anchor = sample.roped ? glm::vec3(5.0f, 0.0f, 10.0f) : glm::vec3(0.0f);
        sample.yaw += 20.0f;
    }
    return record;
}

void runSteps(Ghost& ghost, RunPhase phase, int steps)
{
    for (int i = 0; i < steps; ++i)
        ghost.follow(phase);
}

} // namespace

TEST(GhostTest, WaitsAtTheStartRunsWithTheTimerAndStaysAtItsFinish)
{
    const RunRecord best = walkSwingSprintRun();
    Ghost ghost;
    EXPECT_FALSE(ghost.present());
    ghost.race(best);
    ASSERT_TRUE(ghost.present());

    // Before the player's timer starts the ghost stands where its own timer started.
    runSteps(ghost, RunPhase::Waiting, 30);
    EXPECT_EQ(ghost.recordedStep(0.7f), 20.0);
    TestSupport::expectVecNear(ghost.place(0.7f).position, best.ghost[5].position);

    // Three steps into the run, half way to the fourth: recorded step 22.5, between samples 5 and 6.
    runSteps(ghost, RunPhase::Running, 3);
    EXPECT_EQ(ghost.recordedStep(0.5f), 22.5);
    const Game::GhostPlace between = ghost.place(0.5f);
    TestSupport::expectVecNear(between.position,
                               glm::mix(best.ghost[5].position, best.ghost[6].position, 0.625f));
    EXPECT_NEAR(between.yaw, 10.0f + 20.0f * 5.625f, 1e-3f);
    EXPECT_EQ(ghost.place(0.0f).position, ghost.place(-3.0f).position) << "alpha is clamped";

    // On the rope it carries the anchor of the sample it swings from.
    const Game::GhostPlace swinging = ghost.placeAt(4.0 * 11.5);
    EXPECT_TRUE(swinging.roped);
    EXPECT_EQ(swinging.anchor, glm::vec3(5.0f, 0.0f, 10.0f));

    // The player finished first: the ghost runs on to its own end and stays there.
    runSteps(ghost, RunPhase::Finished, 500);
    TestSupport::expectVecNear(ghost.place(0.5f).position, best.ghost.back().position);
    EXPECT_FALSE(ghost.place(0.5f).roped);

    // R: back to the start.
    ghost.restart();
    EXPECT_EQ(ghost.recordedStep(1.0f), 20.0);
}

TEST(GhostTest, ItsLegsFollowTheGroundSpeedAndRestOnTheRope)
{
    Ghost ghost;
    ghost.race(walkSwingSprintRun());
    const auto legsAt = [&](double sample) { return ghost.placeAt(4.0 * sample).runningSeconds; };
    EXPECT_EQ(legsAt(0), 0.0f);
    // At half the cycle speed the cycle plays at half its pace.
    EXPECT_NEAR(legsAt(8) - legsAt(4), 4 * kSampleSeconds / 2.0f, 1e-5f);
    EXPECT_NEAR(legsAt(4.5) - legsAt(4), kSampleSeconds / 4.0f, 1e-5f) << "between samples too";
    // From a roped sample to the next the legs hold, however fast it swings.
    EXPECT_NEAR(legsAt(13), legsAt(10), 1e-5f);
    // Sprinting: no faster than the most the legs take; climbing straight up: no step at all.
    EXPECT_NEAR(legsAt(19) - legsAt(15), 4 * kSampleSeconds * Ghost::kMaxCycleRate, 1e-4f);
    EXPECT_NEAR(legsAt(25), legsAt(21), 1e-5f);
    EXPECT_EQ(ghost.placeAt(std::nan("")).position, ghost.placeAt(0.0).position) << "no number: the start";
}

TEST(GhostTest, ANewBestIsRacedFromTheNextRestartAndNoneClearsIt)
{
    Ghost ghost;
    RunRecord first = walkSwingSprintRun();
    ghost.race(first);
    RunRecord faster = first;
    faster.times.total = 60; // waited 40 steps at the start
    for (GhostSample& sample : faster.ghost)
        sample.position.y = 3.0f;
    faster.input.assign(1000, 7); // the input tape is not the ghost's to keep

    ghost.raceNext(faster);
    EXPECT_EQ(ghost.recordedStep(0.0f), 20.0) << "the finished run keeps its ghost";
    EXPECT_EQ(ghost.place(0.0f).position.y, 0.0f);
    ghost.restart();
    EXPECT_EQ(ghost.recordedStep(0.0f), 40.0);
    EXPECT_EQ(ghost.place(0.0f).position.y, 3.0f);

    // Records that would not load still give a sane ghost: no samples, or no interval.
    RunRecord empty = first;
    empty.ghost.clear();
    ghost.race(empty);
    EXPECT_FALSE(ghost.present());
    RunRecord noInterval = first;
    noInterval.ghostInterval = 0;
    ghost.race(noInterval);
    EXPECT_TRUE(std::isfinite(ghost.placeAt(50.0).runningSeconds));
    ghost.race(std::nullopt);
    EXPECT_FALSE(ghost.present());
}
