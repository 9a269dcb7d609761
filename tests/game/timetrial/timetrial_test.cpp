#include "game/timetrial/timetrial.h"

#include <gtest/gtest.h>

#include <glm/gtc/quaternion.hpp>

using Game::Course;
using Game::Gate;
using Game::GateKind;
using Game::RunEvent;
using Game::TimeTrial;

namespace {

// A straight course along x: the start around x = 0, checkpoint 1 at x = 10, the finish at x = 20;
// each gate 1 unit thick and 4 wide and high.
Course trialTrack()
{
    Course course;
    const glm::vec3 half(0.5f, 2.0f, 2.0f);
    course.add(Gate{GateKind::Start, 0, {{0.0f, 0.0f, 1.0f}, half, glm::quat(1, 0, 0, 0)}});
    course.add(Gate{GateKind::Checkpoint, 1, {{10.0f, 0.0f, 1.0f}, half, glm::quat(1, 0, 0, 0)}});
    course.add(Gate{GateKind::Finish, 0, {{20.0f, 0.0f, 1.0f}, half, glm::quat(1, 0, 0, 0)}});
    return course;
}

// Runs along x from x = 0 at `speed` units a step until the run ends or `limit` steps passed.
void runTo(TimeTrial& trial, float speed, float endX)
{
    for (float x = 0.0f; x < endX && trial.run().phase() != Game::RunPhase::Finished; x += speed)
        trial.step({x, 0.0f, 1.0f}, {x + speed, 0.0f, 1.0f});
}

} // namespace

TEST(TimeTrialTest, TheSpawnIsTheStartGateAndItsFacing)
{
    Course course = trialTrack();
    EXPECT_EQ(TimeTrial(course).spawn().position, glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_NEAR(TimeTrial(course).spawn().yaw, 0.0f, 1e-4f);

    Course turned;
    const glm::quat quarter = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1));
    turned.add(Gate{GateKind::Start, 0, {{5.0f, 5.0f, 1.0f}, glm::vec3(1.0f), quarter}});
    turned.add(Gate{GateKind::Finish, 0, {{5.0f, 20.0f, 1.0f}, glm::vec3(1.0f), glm::quat(1, 0, 0, 0)}});
    EXPECT_NEAR(TimeTrial(turned).spawn().yaw, 90.0f, 1e-3f) << "a start turned a quarter faces along y";
}

TEST(TimeTrialTest, AFinishedRunSaysItsTimeOnTheConsoleAndOnTheHud)
{
    TimeTrial trial(trialTrack());
    EXPECT_EQ(trial.timerText(), "0:00.00");
    testing::internal::CaptureStdout();
    runTo(trial, 0.1f, 30.0f);
    const std::string console = testing::internal::GetCapturedStdout();
    ASSERT_EQ(trial.run().phase(), Game::RunPhase::Finished);
    const std::string time = trial.timerText();
    EXPECT_NE(console.find("RUN FINISHED " + time + "\n"), std::string::npos) << console;
    EXPECT_EQ(trial.finishTimeText(), "Time " + time);
    EXPECT_TRUE(trial.newBest()) << "the first finished run is the best";
    EXPECT_EQ(trial.finishBestText(), "Best " + time);

    // Against a faster best, the run is no record and the best stays on show.
    Game::RunTimes best{100, {40}};
    trial.setBest(best);
    trial.restart();
    EXPECT_EQ(trial.finishTimeText(), "") << "no finish texts once restarted";
    runTo(trial, 0.1f, 30.0f);
    EXPECT_FALSE(trial.newBest());
    EXPECT_EQ(trial.finishBestText(), "Best 0:01.00");
}

TEST(TimeTrialTest, TheSplitShowsForTwoSecondsGreenWhenAheadRedWhenBehind)
{
    TimeTrial trial(trialTrack());
    trial.setBest(Game::RunTimes{5000, {1000}});
    EXPECT_FALSE(trial.split()) << "no split before the first checkpoint";
    runTo(trial, 0.1f, 10.0f);
    ASSERT_EQ(trial.run().checkpointsPassed(), 1u);
    ASSERT_TRUE(trial.split());
    EXPECT_TRUE(trial.split()->ahead);
    EXPECT_EQ(trial.split()->text[0], '-');
    for (uint32_t i = 0; i < TimeTrial::kSplitShownSteps; ++i)
        trial.step({10.5f, 3.0f, 1.0f}, {10.5f, 3.0f, 1.0f}); // standing beside the course
    EXPECT_FALSE(trial.split()) << "gone after two seconds";

    trial.setBest(Game::RunTimes{5000, {1}});
    trial.restart();
    runTo(trial, 0.1f, 10.0f);
    ASSERT_TRUE(trial.split());
    EXPECT_FALSE(trial.split()->ahead);
    EXPECT_EQ(trial.split()->text[0], '+');
}

TEST(TimeTrialTest, PracticeShowsItselfKeepsStatesAndNeverSetsARecord)
{
    TimeTrial trial(trialTrack());
    Game::PracticeState state;
    state.position = {3.0f, 0.0f, 1.0f};
    trial.saveState(state);
    EXPECT_FALSE(trial.restoreState()) << "F5 saves nothing outside practice";

    trial.togglePractice();
    EXPECT_EQ(trial.timerText(), "PRACTICE");
    EXPECT_FALSE(trial.restoreState()) << "nothing saved yet";
    trial.saveState(state);
    ASSERT_TRUE(trial.restoreState());
    EXPECT_EQ(trial.restoreState()->position, state.position);

    runTo(trial, 0.1f, 30.0f);
    EXPECT_EQ(trial.run().phase(), Game::RunPhase::Finished);
    EXPECT_FALSE(trial.newBest()) << "a practice run is never a record";
    EXPECT_EQ(trial.finishBestText(), "No best yet");

    // Practice switched off again forgets the saved state; the run it touched still counts not.
    trial.togglePractice();
    EXPECT_FALSE(trial.restoreState());
    trial.togglePractice();
    trial.restart();
    trial.togglePractice();
    runTo(trial, 0.1f, 30.0f);
    EXPECT_FALSE(trial.newBest()) << "practice was on during this run's start";
    trial.restart();
    runTo(trial, 0.1f, 30.0f);
    EXPECT_TRUE(trial.newBest()) << "a clean run after practice counts";
}
