#include "game/transform/transformcomponent.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using Component::TransformComponent;

namespace {

void expectMatrixNear(const glm::mat4& actual, const glm::mat4& expected)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-4f) << "column " << c << ", row " << r;
}

glm::mat4 trs(const glm::vec3& p, const glm::quat& q, const glm::vec3& s)
{
    return glm::translate(glm::mat4(1.0f), p) * glm::mat4_cast(q) * glm::scale(glm::mat4(1.0f), s);
}

// Moved, scaled and turned during one tick.
TransformComponent movedTransform()
{
    TransformComponent t;
    t.previousPosition = {0, 0, 0};
    t.previousScale = {1, 1, 1};
    t.previousRotation = glm::quat(1, 0, 0, 0);
    t.position = {10, -4, 2};
    t.scale = {3, 1, 1};
    t.rotation = glm::angleAxis(glm::radians(90.0f), glm::vec3(0, 0, 1));
    return t;
}

} // namespace

TEST(TransformComponentTest, MatrixInterpolatesBetweenPreviousAndCurrentState)
{
    TransformComponent t = movedTransform();
    t.refreshMatrix(0.0f);
    expectMatrixNear(t.matrix, glm::mat4(1.0f));
    t.refreshMatrix(1.0f);
    expectMatrixNear(t.matrix, t.currentMatrix());
    t.refreshMatrix(0.5f);
    // Halfway: the unnormalised component-wise mix of the two rotations.
    const glm::quat mid = t.previousRotation * 0.5f + t.rotation * 0.5f;
    expectMatrixNear(t.matrix, trs({5, -2, 1}, mid, {2, 1, 1}));
    // Factors that stray past the ends are held at them instead of stopping the game.
    t.refreshMatrix(1.5f);
    expectMatrixNear(t.matrix, t.currentMatrix());
    t.refreshMatrix(-0.5f);
    expectMatrixNear(t.matrix, glm::mat4(1.0f));
}

TEST(TransformComponentTest, OppositeQuaternionsMixThroughZeroLength)
{
    TransformComponent t;
    t.rotation = glm::quat(1, 0, 0, 0);
    t.previousRotation = glm::quat(-1, 0, 0, 0);
    t.refreshMatrix(0.5f);
    expectMatrixNear(t.matrix, trs({0, 0, 0}, glm::quat(0, 0, 0, 0), {1, 1, 1}));
}

// Round trips of every orientation are tested with the map blocks (tests/game/gamemap).
TEST(TransformComponentTest, SetFromMatrixSweepsFromTheOldPlaceUnlessImmediate)
{
    const glm::mat4 target = trs({1, 2, 3}, glm::angleAxis(2.5f, glm::normalize(glm::vec3(0.3f, -0.5f, 0.8f))), {2, 3, 4});
    TransformComponent t;
    ASSERT_TRUE(t.setFromMatrix(target));
    expectMatrixNear(t.currentMatrix(), target);
    t.refreshMatrix(0.0f);
    expectMatrixNear(t.matrix, TransformComponent().currentMatrix()); // still at the old place

    TransformComponent u = movedTransform();
    ASSERT_TRUE(u.setFromMatrixImmediate(target));
    u.refreshMatrix(0.0f);
    expectMatrixNear(u.matrix, target);
}

TEST(TransformComponentTest, SingularMatrixLeavesTheTransformUnchanged)
{
    TransformComponent t = movedTransform();
    const glm::mat4 before = t.currentMatrix();
    EXPECT_FALSE(t.setFromMatrixImmediate(glm::scale(glm::mat4(1.0f), glm::vec3(0.0f))));
    expectMatrixNear(t.currentMatrix(), before);
    EXPECT_EQ(t.previousPosition, glm::vec3(0.0f));
}
