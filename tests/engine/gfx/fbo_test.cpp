#include "engine/gfx/fbo.h"

#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Engine::GFX;

namespace {

// Writes a flat colour to output 0 and its inverse to output 1.
const char* kTwoOutputFragment = R"(#version 330 core
uniform vec4 uColor;
layout(location = 0) out vec4 outScene;
layout(location = 1) out vec4 outSecond;
void main() { outScene = uColor; outSecond = vec4(1.0) - uColor; }
)";

class FBOTest : public TestSupport::GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        std::string log;
        program = GfxTest::buildProgram(GfxTest::defaultLayoutVertexShader(), kTwoOutputFragment,
                                        GfxTest::defaultLayoutAttributes(), log);
        ASSERT_NE(program, 0u) << log;
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
    }
    void TearDown() override
    {
        glUseProgram(0);
        glDeleteProgram(program);
        glViewport(0, 0, TestSupport::kGLWindowWidth, TestSupport::kGLWindowHeight);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    void drawQuad(const FBO& fbo, glm::vec4 colour, glm::vec2 lower, glm::vec2 upper)
    {
        fbo.bind();
        glViewport(0, 0, static_cast<GLsizei>(fbo.width()), static_cast<GLsizei>(fbo.height()));
        glUseProgram(program);
        glUniform4f(glGetUniformLocation(program, "uColor"), colour.r, colour.g, colour.b, colour.a);
        GfxTest::clipQuad(lower, upper)->draw();
        FBO::bindDefault();
    }

    static std::array<uint8_t, 4> readAttachment(const FBO& fbo, uint32_t attachment, int x, int y)
    {
        fbo.bind();
        glReadBuffer(GL_COLOR_ATTACHMENT0 + attachment);
        const auto pixel = GfxTest::readPixel(x, y);
        FBO::bindDefault();
        return pixel;
    }

    GLuint program = 0;
};

} // namespace

TEST_F(FBOTest, SceneTargetRendersIntoBothColourImages)
{
    const auto scene = createSceneTarget(16, 8);
    ASSERT_NE(scene->depthTexture(), nullptr);
    scene->bind();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawQuad(*scene, {1.0f, 0.0f, 0.2f, 1.0f}, {-1, -1}, {1, 1});
    const auto first = readAttachment(*scene, 0, 3, 3);
    const auto second = readAttachment(*scene, 1, 3, 3);
    EXPECT_EQ(first, (std::array<uint8_t, 4>{255, 0, 51, 255}));
    EXPECT_EQ(second, (std::array<uint8_t, 4>{0, 255, 204, 0}));
}

TEST_F(FBOTest, PickingReadBackReturnsTheIdDrawnAtThePixel)
{
    const auto picking = createPickingTarget(20, 10);
    picking->bind();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Left half id 3 with a half alpha, the upper right quarter id 2, the rest nothing.
    drawQuad(*picking, {3.0f / 255.0f, 0.0f, 0.0f, 0.5f}, {-1, -1}, {0, 1});
    drawQuad(*picking, {2.0f / 255.0f, 0.7f, 0.7f, 1.0f}, {0, 0}, {1, 1});
    EXPECT_EQ(readPixelID(4, 5, *picking), 3u);
    EXPECT_EQ(readPixelID(15, 8, *picking), 2u);
    EXPECT_EQ(readPixelID(15, 2, *picking), 0u);
    // Outside the image the nearest edge pixel is read.
    EXPECT_EQ(readPixelID(-40, 500, *picking), 3u);
    EXPECT_EQ(readPixelID(900, 900, *picking), 2u);
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(FBOTest, TargetsLargerThanTheGpuDrawsAreScaledDownAndStillPick)
{
    const TargetSize largest = maxTargetSize();
    GLint textures = 0;
    GLint renderbuffers = 0;
    GLint viewport[2] = {};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textures);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffers);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    EXPECT_EQ(largest.width, uint32_t(std::min({textures, renderbuffers, viewport[0]})));
    EXPECT_EQ(largest.height, uint32_t(std::min({textures, renderbuffers, viewport[1]})));

    // The shape is kept: twice too wide halves both sides.
    const TargetSize asked{largest.width * 2, 16};
    testing::internal::CaptureStdout();
    const auto scene = createSceneTarget(asked.width, asked.height);
    const auto outline = createOutlineTarget(asked.width, asked.height);
    const auto picking = createPickingTarget(asked.width, asked.height);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("larger than the GPU draws"), std::string::npos);
    for (const FBO* target : {scene.get(), outline.get(), picking.get()}) {
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->width(), largest.width);
        EXPECT_EQ(target->height(), 8u);
        EXPECT_EQ(target->requestedSize().width, asked.width);
    }

    // Picking takes positions of the size asked for: id 2 lies in the image's third quarter.
    picking->bind();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawQuad(*picking, {2.0f / 255.0f, 0.0f, 0.0f, 1.0f}, {0, -1}, {0.5f, 1});
    EXPECT_EQ(readPixelID(int(asked.width / 8 * 5), 12, *picking), 2u);
    EXPECT_EQ(readPixelID(int(asked.width / 8 * 3), 12, *picking), 0u);

    EXPECT_EQ(fitTargetSize({16385, 600}, {16384, 16384}).height, 599u);
    EXPECT_EQ(fitTargetSize({0, 0}, {16384, 16384}).width, 1u);
    EXPECT_EQ(fitTargetSize({100, 50}, {16384, 16384}).width, 100u);
}

TEST_F(FBOTest, AnIncompleteFramebufferIsReportedNotAsserted)
{
    FBO empty(4, 4);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(empty.finish());
    EXPECT_NE(testing::internal::GetCapturedStdout().find("incomplete"), std::string::npos);
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
}
