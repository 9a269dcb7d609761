#include "game/timetrial/coursegatedrawer.h"

#include "tests/support/vecnear.h"

#include <gtest/gtest.h>

#include <glm/gtc/quaternion.hpp>

using namespace Game;

TEST(CourseGateDrawerTest, TheUnitCubeBecomesTheGateBox)
{
    const OrientedBox box{{3.0f, -2.0f, 1.0f}, {0.5f, 2.0f, 1.5f}, glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1))};
    const glm::mat4 model = CourseGateDrawer::modelOf(box);
    TestSupport::expectVecNear(glm::vec3(model * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)), box.center);
    // The cube's +x face centre lies half the box's x extent along the turned x axis (now +y).
    TestSupport::expectVecNear(glm::vec3(model * glm::vec4(0.5f, 0.0f, 0.0f, 1.0f)), {3.0f, -1.5f, 1.0f});
    TestSupport::expectVecNear(glm::vec3(model * glm::vec4(0.0f, 0.5f, 0.0f, 1.0f)), {1.0f, -2.0f, 1.0f});
    TestSupport::expectVecNear(glm::vec3(model * glm::vec4(0.0f, 0.0f, 0.5f, 1.0f)), {3.0f, -2.0f, 2.5f});
}

TEST(CourseGateDrawerTest, EachKindHasItsOwnTranslucentColour)
{
    const glm::vec4 start = CourseGateDrawer::colourOf(GateKind::Start);
    const glm::vec4 checkpoint = CourseGateDrawer::colourOf(GateKind::Checkpoint);
    const glm::vec4 finish = CourseGateDrawer::colourOf(GateKind::Finish);
    EXPECT_NE(start, checkpoint);
    EXPECT_NE(checkpoint, finish);
    EXPECT_NE(start, finish);
    for (const glm::vec4& colour : {start, checkpoint, finish}) {
        EXPECT_GT(colour.a, 0.0f);
        EXPECT_LT(colour.a, 0.5f) << "the course behind a gate stays visible";
    }
}
