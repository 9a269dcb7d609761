#include "game/resources/renderresources.h"

#include "tests/support/gltest.h"

#include <GL/glew.h>

#include <string>
#include <vector>

using TestSupport::GLTest;

TEST_F(GLTest, RenderResourcesPrintTheirProgressInLoadingOrderWithoutProblems)
{
    testing::internal::CaptureStdout();
    const Game::RenderResources resources(TestSupport::kGLWindowWidth, TestSupport::kGLWindowHeight);
    const std::string output = testing::internal::GetCapturedStdout();
    const std::vector<std::string> lines = {"Loading skeletal data", "Loading Font",     "Creating Text-meshes",
                                            "Loading Shaders",       "Creating Samplers", "Loading Textures",
                                            "Loading Meshes"};
    size_t from = 0;
    for (const std::string& line : lines) {
        const size_t at = output.find(line + "\n", from);
        ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << output;
        from = at + line.size();
    }
    EXPECT_EQ(output.find("Unable to compile"), std::string::npos) << output;
    EXPECT_EQ(output.find("refused"), std::string::npos) << output;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
