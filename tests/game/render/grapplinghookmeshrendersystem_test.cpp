#include "game/render/grapplinghookmeshrendersystem.h"

#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"
#include "tests/support/vecnear.h"

#include <GL/glew.h>

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <cmath>
#include <limits>

using Game::ropeModelMatrix;
using Game::rotationFromZ;

using TestSupport::expectVecNear;

namespace {

bool finite(const glm::mat4& m)
{
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (!std::isfinite(m[c][r]))
                return false;
    return true;
}

} // namespace

TEST(RopeGeometryTest, RotationTurnsZOntoTheRopeInEveryDirection)
{
    const glm::vec3 directions[] = {
        {0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {0, -1, 0}, glm::normalize(glm::vec3(1, 2, -3)), glm::normalize(glm::vec3(1e-4f, 0, 1)),
    };
    for (const glm::vec3& n : directions) {
        const glm::mat4 r = rotationFromZ(n);
        ASSERT_TRUE(finite(r));
        expectVecNear(glm::vec3(r * glm::vec4(0, 0, 1, 0)), n);
        // A rotation: orthonormal and right-handed, so the rod keeps its round shape.
        EXPECT_NEAR(glm::determinant(glm::mat3(r)), 1.0f, 1e-5f);
        EXPECT_NEAR(glm::dot(glm::vec3(r[0]), glm::vec3(r[1])), 0.0f, 1e-5f);
    }
}

TEST(RopeGeometryTest, RodRunsFromTheOffsetToTheAnchor)
{
    const glm::vec3 from(1, 2, 3);
    for (const glm::vec3& anchor : {glm::vec3(1, 2, 13), glm::vec3(1, 2, -7), glm::vec3(6, -2, 9)}) {
        const auto model = ropeModelMatrix(from, anchor);
        ASSERT_TRUE(model.has_value());
        const glm::vec3 n = glm::normalize(anchor - from);
        expectVecNear(glm::vec3(*model * glm::vec4(0, 0, 0, 1)), from + n * Game::kRopeStartOffset);
        expectVecNear(glm::vec3(*model * glm::vec4(0, 0, 1, 1)), anchor);
    }
    // A rope shorter than the offset points back from the offset to the anchor.
    const auto shortRope = ropeModelMatrix(from, from + glm::vec3(0.1f, 0, 0));
    ASSERT_TRUE(shortRope.has_value());
    expectVecNear(glm::vec3(*shortRope * glm::vec4(0, 0, 1, 1)), from + glm::vec3(0.1f, 0, 0));
}

TEST(RopeGeometryTest, RopeStraightOverTheEyeStartsBeyondIt)
{
    const glm::vec3 from(0, 0, 1);
    const glm::vec3 eye = from + glm::vec3(0, 0, 0.3f);
    const auto above = ropeModelMatrix(from, glm::vec3(0, 0, 11), &eye);
    ASSERT_TRUE(above.has_value());
    expectVecNear(glm::vec3(*above * glm::vec4(0, 0, 0, 1)), eye + glm::vec3(0, 0, Game::kRopeEyeClearance));
    expectVecNear(glm::vec3(*above * glm::vec4(0, 0, 1, 1)), glm::vec3(0, 0, 11));
    // A rope leaving sideways passes well clear of the eye and keeps its start.
    const auto sideways = ropeModelMatrix(from, glm::vec3(10, 0, 1), &eye);
    ASSERT_TRUE(sideways.has_value());
    expectVecNear(glm::vec3(*sideways * glm::vec4(0, 0, 0, 1)), from + glm::vec3(Game::kRopeStartOffset, 0, 0));
    // Anchored between the centre and the eye: nothing of it is in view.
    EXPECT_FALSE(ropeModelMatrix(from, from + glm::vec3(0, 0, 0.25f), &eye).has_value());
}

TEST(RopeGeometryTest, NoRodWithoutALength)
{
    const glm::vec3 p(4, 5, 6);
    EXPECT_FALSE(ropeModelMatrix(p, p).has_value());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(ropeModelMatrix(p, glm::vec3(nan, 0, 0)).has_value());
}

using RopePassTest = TestSupport::GameHarness;

// A frame with the rope out leaves the GL state as every frame does.
TEST_F(RopePassTest, FrameWithARopeRestoresTheGlState)
{
    game().startSinglePlayer();
    runUpdates(1);
    auto& body = game().world().getComponent<Component::CharacterControllerComponent>(game().playerEntity());
    body.attached = true;
    body.anchor = game().world().getComponent<Component::TransformComponent>(game().playerEntity()).position
                  + glm::vec3(3.0f, 0.0f, 6.0f);
    frameAfter(0);

    GLint cullMode = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullMode);
    EXPECT_EQ(cullMode, GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE);
    for (GLuint buffer = 0; buffer < 2; ++buffer) {
        GLboolean mask[4] = {};
        glGetBooleani_v(GL_COLOR_WRITEMASK, buffer, mask);
        EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]) << "draw buffer " << buffer;
    }
    GLint sampler = -1;
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    EXPECT_EQ(sampler, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
