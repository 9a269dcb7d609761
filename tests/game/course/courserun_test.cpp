#include "game/course/courserun.h"
#include "game/course/runclock.h"

#include <gtest/gtest.h>

using Game::Course;
using Game::CourseRun;
using Game::GateKind;
using Game::RunEvent;
using Game::RunPhase;

namespace {

// A gate across the x axis at `x`, 0.1 units thick.
Game::Gate gateAt(GateKind kind, float x)
{
    Game::Gate gate;
    gate.kind = kind;
    gate.box.center = {x, 0.0f, 0.0f};
    gate.box.halfExtents = {kind == GateKind::Start ? 1.0f : 0.05f, 5.0f, 5.0f};
    return gate;
}

// Start at 0, checkpoints at the given x in their order, finish at `finish`.
Course lineCourse(std::initializer_list<float> checkpoints, float finish = 40.0f)
{
    Course course;
    course.add(gateAt(GateKind::Start, 0.0f));
    for (float x : checkpoints)
        course.add(gateAt(GateKind::Checkpoint, x));
    course.add(gateAt(GateKind::Finish, finish));
    return course;
}

// Moves the player along x from `from` to `to` in steps of `speed`; the events seen, in order.
std::vector<RunEvent> run(CourseRun& course, float from, float to, float speed = 0.5f)
{
    std::vector<RunEvent> events;
    const float direction = to > from ? 1.0f : -1.0f;
    for (float x = from; direction * (to - x) > 1e-4f;) {
        const float next = x + direction * speed;
        const RunEvent event = course.step({x, 0, 0}, {next, 0, 0});
        if (event != RunEvent::None)
            events.push_back(event);
        x = next;
    }
    return events;
}

} // namespace

TEST(CourseRun, CountsStepsFromLeavingTheStartToTheFinish)
{
    CourseRun course(lineCourse({10, 20, 30}));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(course.step({0.5f, 0, 0}, {0.5f, 0, 0}), RunEvent::None);
    EXPECT_EQ(course.phase(), RunPhase::Waiting);
    EXPECT_EQ(course.elapsedSteps(), 0u);

    using E = RunEvent;
    EXPECT_EQ(run(course, 0.0f, 45.0f),
              (std::vector<E>{E::Started, E::Checkpoint, E::Checkpoint, E::Checkpoint, E::Finished}));
    // Left in the step to x 1.5 (step 1); each further 0.5 is a step; gates touched at their near face.
    EXPECT_EQ(course.splits(), (std::vector<uint32_t>{18, 38, 58}));
    EXPECT_EQ(course.elapsedSteps(), 78u);
    EXPECT_EQ(course.phase(), RunPhase::Finished);
    EXPECT_TRUE(course.recordable());
    EXPECT_EQ(course.step({45, 0, 0}, {-45, 0, 0}), RunEvent::None); // the time stands
    EXPECT_EQ(course.elapsedSteps(), 78u);
}

TEST(CourseRun, CheckpointsCountOnlyInOrder)
{
    CourseRun course(lineCourse({20, 10}, 5.0f));
    using E = RunEvent;
    // Through the finish (x 5) and checkpoint 2 (x 10) before checkpoint 1 (x 20): neither counts.
    EXPECT_EQ(run(course, 0.0f, 15.0f), std::vector<E>{E::Started});
    EXPECT_EQ(run(course, 15.0f, 25.0f), std::vector<E>{E::Checkpoint});
    EXPECT_EQ(run(course, 25.0f, 2.0f), (std::vector<E>{E::Checkpoint, E::Finished}));

    // In one long step the gates count only in the order they are met along it.
    CourseRun fast(lineCourse({20, 10}, 30.0f));
    EXPECT_EQ(fast.step({0, 0, 0}, {100, 0, 0}), RunEvent::Checkpoint);
    EXPECT_EQ(fast.checkpointsPassed(), 1u);
    // Back through checkpoint 2 (x 10); the finish (x 30) lies before it on the way back.
    EXPECT_EQ(fast.step({100, 0, 0}, {-100, 0, 0}), RunEvent::Checkpoint);
    EXPECT_EQ(fast.phase(), RunPhase::Running);
    EXPECT_EQ(fast.step({-100, 0, 0}, {100, 0, 0}), RunEvent::Finished);
}

TEST(CourseRun, OneStepThroughEveryGateFinishesAtOnce)
{
    CourseRun course(lineCourse({10, 20, 30}));
    EXPECT_EQ(course.step({0, 0, 0}, {1000, 0, 0}), RunEvent::Finished);
    EXPECT_EQ(course.elapsedSteps(), 1u);
    EXPECT_EQ(course.splits(), (std::vector<uint32_t>{1, 1, 1}));

    Course noFinish;
    noFinish.add(gateAt(GateKind::Start, 0.0f));
    CourseRun never(noFinish);
    EXPECT_EQ(never.step({0, 0, 0}, {1000, 0, 0}), RunEvent::None);
    EXPECT_EQ(never.phase(), RunPhase::Waiting);
}

TEST(CourseRun, RestartResetsAndPracticeNeverRecords)
{
    CourseRun course(lineCourse({10}));
    run(course, 0.0f, 15.0f);
    course.restart();
    EXPECT_EQ(course.phase(), RunPhase::Waiting);
    EXPECT_EQ(course.elapsedSteps(), 0u);
    EXPECT_EQ(course.checkpointsPassed(), 0u);

    run(course, 0.0f, 20.0f);
    course.setPractice(true); // on and off again mid-run: the run stays practice
    course.setPractice(false);
    run(course, 20.0f, 45.0f);
    EXPECT_EQ(course.phase(), RunPhase::Finished);
    EXPECT_FALSE(course.recordable());

    course.restart();
    run(course, 0.0f, 45.0f);
    EXPECT_TRUE(course.recordable());

    course.setPractice(true);
    course.restart();
    run(course, 0.0f, 45.0f);
    EXPECT_EQ(course.phase(), RunPhase::Finished);
    EXPECT_FALSE(course.recordable());
    EXPECT_TRUE(course.practice());
}

TEST(CourseRun, SplitsCompareWithTheBestRunWithoutAllocating)
{
    CourseRun course(lineCourse({10, 20, 30}));
    EXPECT_FALSE(course.lastSplitDelta());
    course.setBest(Game::RunTimes{80, {20, 36}});
    const uint32_t* storage = course.splits().data();

    run(course, 0.0f, 12.0f);
    EXPECT_EQ(course.lastSplitDelta(), -2); // 18 against 20: ahead
    EXPECT_EQ(course.stepsSinceLastSplit(), 4u);
    run(course, 12.0f, 22.0f);
    EXPECT_EQ(course.lastSplitDelta(), 2); // 38 against 36: behind
    run(course, 22.0f, 32.0f);
    EXPECT_FALSE(course.lastSplitDelta()); // the best run has no third split
    EXPECT_FALSE(course.beatsBest());
    run(course, 32.0f, 45.0f);
    EXPECT_TRUE(course.beatsBest()); // 78 against 80
    EXPECT_EQ(course.splits().data(), storage);

    course.setBest(Game::RunTimes{78, {}});
    EXPECT_FALSE(course.beatsBest()); // level is no new best
    course.setBest(std::nullopt);
    EXPECT_TRUE(course.beatsBest());
    EXPECT_EQ(course.times().total, 78u);
}

TEST(RunClock, ShowsMinutesSecondsAndHundredths)
{
    using Game::RunClock::format;
    using Game::RunClock::formatDelta;
    EXPECT_EQ(format(0).view(), "0:00.00");
    EXPECT_EQ(format(6530).view(), "1:05.30");
    EXPECT_EQ(format(750001).view(), "125:00.01");
    EXPECT_EQ(format(UINT64_MAX).view(), "3074457345618258:36.15");
    EXPECT_EQ(formatDelta(-50).view(), "-0:00.50");
    EXPECT_EQ(formatDelta(6203).view(), "+1:02.03");
    EXPECT_EQ(formatDelta(0).view(), "+0:00.00");
    EXPECT_EQ(formatDelta(INT64_MIN).view(), "-1537228672809129:18.08");
}
