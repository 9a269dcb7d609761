#include "game/course/course.h"

#include <gtest/gtest.h>

using Game::Course;
using Game::Gate;
using Game::GateKind;

namespace {

Gate gate(GateKind kind, int number = 0, float x = 0.0f)
{
    Gate g;
    g.kind = kind;
    g.number = number;
    g.box.center = {x, 0.0f, 0.0f};
    return g;
}

// The x positions of the checkpoints in the order of their numbers.
std::vector<float> order(const Course& course)
{
    std::vector<float> xs;
    for (int n = 1; n <= int(course.checkpointCount()); ++n) {
        const Gate* g = course.checkpoint(n);
        EXPECT_NE(g, nullptr) << "gap at " << n;
        if (g)
            xs.push_back(g->box.center.x);
    }
    return xs;
}

Course threeCheckpoints()
{
    Course course;
    course.add(gate(GateKind::Checkpoint, 0, 1));
    course.add(gate(GateKind::Checkpoint, 0, 2));
    course.add(gate(GateKind::Checkpoint, 0, 3));
    return course;
}

} // namespace

TEST(Course, SummaryNamesWhatIsThereAndWhatIsMissing)
{
    Course course;
    EXPECT_EQ(course.summary(), "Course: none");
    course.add(gate(GateKind::Checkpoint));
    EXPECT_EQ(course.summary(), "Course: no start, 1 checkpoint, no finish");
    course.add(gate(GateKind::Start));
    course.add(gate(GateKind::Checkpoint));
    course.add(gate(GateKind::Checkpoint));
    EXPECT_EQ(course.summary(), "Course: start, 3 checkpoints, no finish");
    course.add(gate(GateKind::Finish));
    EXPECT_EQ(course.summary(), "Course: start, 3 checkpoints, finish");
    EXPECT_TRUE(course.playable());

    Course ends;
    ends.add(gate(GateKind::Finish));
    EXPECT_EQ(ends.summary(), "Course: no start, no checkpoints, finish");
    EXPECT_FALSE(ends.playable());
}

TEST(Course, HoldsOneStartOneFinishAndAtMostTheGateLimit)
{
    Course course;
    EXPECT_TRUE(course.add(gate(GateKind::Start)));
    EXPECT_FALSE(course.add(gate(GateKind::Start)));
    EXPECT_TRUE(course.add(gate(GateKind::Finish, 7)));
    EXPECT_FALSE(course.add(gate(GateKind::Finish)));
    EXPECT_EQ(course.finish()->number, 0);
    while (course.gates().size() < Course::kMaxGates)
        ASSERT_TRUE(course.add(gate(GateKind::Checkpoint)));
    EXPECT_FALSE(course.add(gate(GateKind::Checkpoint)));
    EXPECT_FALSE(course.duplicateCheckpoint(2));
    EXPECT_EQ(course.checkpointCount(), Course::kMaxGates - 2);
}

TEST(Course, CheckpointsStayNumberedWithoutGaps)
{
    Course course = threeCheckpoints();
    EXPECT_EQ(order(course), (std::vector<float>{1, 2, 3}));

    course.add(gate(GateKind::Checkpoint, 1, 0)); // inserted first
    EXPECT_EQ(order(course), (std::vector<float>{0, 1, 2, 3}));
    course.add(gate(GateKind::Checkpoint, 99, 9)); // out of range: appended
    EXPECT_EQ(order(course), (std::vector<float>{0, 1, 2, 3, 9}));

    course.remove(1); // the checkpoint at x 2, number 3
    EXPECT_EQ(order(course), (std::vector<float>{0, 1, 3, 9}));
}

TEST(Course, RenumberingMovesTheCheckpointsInBetween)
{
    Course course = threeCheckpoints();
    EXPECT_TRUE(course.setCheckpointNumber(0, 3));
    EXPECT_EQ(order(course), (std::vector<float>{2, 3, 1}));
    EXPECT_TRUE(course.setCheckpointNumber(0, 1));
    EXPECT_EQ(order(course), (std::vector<float>{1, 2, 3}));
    EXPECT_TRUE(course.setCheckpointNumber(2, -5)); // clamped to 1
    EXPECT_EQ(order(course), (std::vector<float>{3, 1, 2}));
    EXPECT_TRUE(course.setCheckpointNumber(2, 40)); // clamped to 3
    EXPECT_EQ(order(course), (std::vector<float>{1, 2, 3}));

    course.add(gate(GateKind::Start));
    EXPECT_FALSE(course.setCheckpointNumber(3, 1));
    EXPECT_EQ(course.start()->number, 0);
}

TEST(Course, DuplicateFollowsItsOriginal)
{
    Course course = threeCheckpoints();
    const auto copy = course.duplicateCheckpoint(0);
    ASSERT_TRUE(copy);
    EXPECT_EQ(course.gates()[*copy].number, 2);
    EXPECT_EQ(order(course), (std::vector<float>{1, 1, 2, 3}));
    course.add(gate(GateKind::Start));
    EXPECT_FALSE(course.duplicateCheckpoint(course.gates().size() - 1));
}

TEST(Course, PlayersFaceTheStartGatesLocalXAxis)
{
    Game::OrientedBox box;
    EXPECT_FLOAT_EQ(Game::facingYaw(box), 0.0f);
    box.rotation = glm::angleAxis(glm::radians(120.0f), glm::vec3(0, 0, 1));
    EXPECT_NEAR(Game::facingYaw(box), 120.0f, 1e-4f);
    for (float degrees : {90.0f, -90.0f}) { // +x turned straight down or up
        const glm::quat down = glm::angleAxis(glm::radians(degrees), glm::vec3(0, 1, 0));
        box.rotation = down;
        EXPECT_EQ(Game::facingYaw(box), 0.0f);
        box.rotation = down * glm::angleAxis(0.7f, glm::vec3(1, 0, 0)); // spun about its facing first
        EXPECT_EQ(Game::facingYaw(box), 0.0f);
    }
}
