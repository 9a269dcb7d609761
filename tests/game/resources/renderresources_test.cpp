#include "game/resources/renderresources.h"

#include "engine/gfx/rendercontext.h"
#include "tests/support/gltest.h"

#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

using Game::RenderResources;
using TestSupport::GLTest;
using TestSupport::kGLWindowHeight;
using TestSupport::kGLWindowWidth;

namespace {

// Loaded once for the suite: loading compiles twenty programs and reads every data file.
RenderResources* loaded = nullptr;
std::string loadOutput;

class RenderResourcesTest : public GLTest {
protected:
    static void SetUpTestSuite()
    {
        GLTest::SetUpTestSuite();
        testing::internal::CaptureStdout();
        loaded = new RenderResources(kGLWindowWidth, kGLWindowHeight);
        loadOutput = testing::internal::GetCapturedStdout();
    }
    static void TearDownTestSuite()
    {
        delete loaded;
        loaded = nullptr;
    }
};

} // namespace

TEST_F(RenderResourcesTest, ProgressLinesInLoadingOrder)
{
    const std::vector<std::string> lines = {"Loading skeletal data", "Loading Font",     "Creating Text-meshes",
                                            "Loading Shaders",       "Creating Samplers", "Loading Textures",
                                            "Loading Meshes"};
    size_t from = 0;
    for (const std::string& line : lines) {
        const size_t at = loadOutput.find(line + "\n", from);
        ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << loadOutput;
        from = at + line.size();
    }
    EXPECT_EQ(loadOutput.find("Unable to compile"), std::string::npos) << loadOutput;
    EXPECT_EQ(loadOutput.find("refused"), std::string::npos) << loadOutput;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Text drawn through the screen-pixel camera lands inside its laid-out box and nowhere else.
TEST_F(RenderResourcesTest, TextDrawsInsideItsBox)
{
    RenderResources& r = *loaded;
    r.pickingTarget->bind();
    glViewport(0, 0, kGLWindowWidth, kGLWindowHeight);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    Engine::GFX::RenderContext context;
    context.viewMatrix = r.screenPixelCamera.view;
    context.projectionMatrix = r.screenPixelCamera.projection;
    context.useProgram(*r.shaderFontDefault);
    const glm::vec3 position(20.0f, 100.0f, 0.0f);
    drawTextMesh(context, r.fpsText, position, glm::vec2(1.0f));
    glDisable(GL_BLEND);

    std::vector<uint8_t> pixels(size_t(kGLWindowWidth) * kGLWindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kGLWindowWidth, kGLWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    Engine::GFX::FBO::bindDefault();

    int inside = 0;
    int outside = 0;
    const int top = int(position.y);
    const int bottom = top - int(r.fpsText.height());
    for (int y = 0; y < kGLWindowHeight; ++y)
        for (int x = 0; x < kGLWindowWidth; ++x) {
            if (pixels[(size_t(y) * kGLWindowWidth + x) * 4 + 3] < 128)
                continue;
            const bool inBox = x >= int(position.x) && x <= int(position.x) + int(r.fpsText.width()) &&
                               y >= bottom && y <= top;
            (inBox ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
