#include "engine/gfx/shader.h"

#include "tests/support/gltest.h"

#include <GL/glew.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using Engine::GFX::ShaderDeclarations;
using Engine::GFX::ShaderProgram;
using Engine::GFX::scanDeclarations;
using TestSupport::GLTest;
using ::testing::HasSubstr;

namespace {

const char* kVertex = R"(#version 330 core
in vec3 aPosition;
in  vec2  aTexCoord;
in vec3 aNormal;
uniform mat4 uModelViewMatrix;
uniform mat4 uProjectionMatrix;
uniform mat4 uBones[64];
uniform sampler2D uHeightMap;
uniform float uUnused; // never read, the compiler drops it
out vec2 vTexCoord;
void main()
{
    vTexCoord = aTexCoord + texture(uHeightMap, aTexCoord).xy + aNormal.xy;
    gl_Position = uProjectionMatrix * uModelViewMatrix * uBones[1] * vec4(aPosition, 1.0);
}
)";

const char* kFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform vec4 uColor;
out vec4 fragColor;
void main()
{
    fragColor = uColor * texture(uTexture, vTexCoord);
}
)";

ShaderDeclarations scan(const std::string& source)
{
    ShaderDeclarations declarations;
    scanDeclarations(source, declarations);
    return declarations;
}

} // namespace

TEST(ShaderDeclarationScanTest, RecognisesThreeWordDeclarationsOnly)
{
    const ShaderDeclarations found = scan("in  vec3   aPosition;\n"
                                          "in\tvec2 aTab;\n"
                                          "attribute vec4 aColor;\r\n"
                                          "\n\n  uniform mat4 uBones[64];  \n"
                                          "uniform vec3 uLight; // sun\n"
                                          "uniform sampler2D uFirst;\n"
                                          "uniform sampler2D uSecond;\n"
                                          "out vec4 fragColor;\n"
                                          "uniform float;\n"
                                          "in vec3 aLast;");
    EXPECT_EQ(found.attributes, (std::vector<std::string>{"aPosition", "aColor", "aLast"}));
    EXPECT_EQ(found.uniforms, (std::vector<std::string>{"uBones", "uLight"}));
    EXPECT_EQ(found.samplers, (std::vector<std::string>{"uFirst", "uSecond"}));
}

TEST(ShaderDeclarationScanTest, BlankAndShortLinesDeclareNothing)
{
    const ShaderDeclarations found = scan("\n \n;\nin x\nuniform\nuniform a b");
    EXPECT_TRUE(found.attributes.empty());
    EXPECT_TRUE(found.samplers.empty());
    EXPECT_LE(found.uniforms.size(), 1u);
}

TEST_F(GLTest, ShaderProgramBindsItsDeclaredInterface)
{
    ShaderProgram program(kVertex, kFragment, "test");
    ASSERT_TRUE(program.isLinked());
    EXPECT_TRUE(program.vertexStage().compiled);
    EXPECT_TRUE(program.fragmentStage().compiled);

    // Vertex inputs take locations in declaration order; the fragment's input continues the count.
    EXPECT_EQ(program.attributes(), (std::vector<std::string>{"aPosition", "aTexCoord", "aNormal", "vTexCoord"}));
    EXPECT_EQ(glGetAttribLocation(program.programId(), "aPosition"), 0);
    EXPECT_EQ(glGetAttribLocation(program.programId(), "aTexCoord"), 1);
    EXPECT_EQ(glGetAttribLocation(program.programId(), "aNormal"), 2);

    EXPECT_TRUE(program.hasUniform("uModelViewMatrix"));
    EXPECT_TRUE(program.hasUniform("uBones"));
    EXPECT_FALSE(program.hasUniform("uTexture")) << "samplers are kept apart";
    EXPECT_EQ(program.getUniformLocation("uColor"), glGetUniformLocation(program.programId(), "uColor"));
    EXPECT_GE(program.getUniformLocation("uBones"), 0);
    EXPECT_EQ(program.getUniformLocation("uUnused"), -1);
    EXPECT_EQ(program.findUniformLocation("uColor"), program.getUniformLocation("uColor"));
    EXPECT_EQ(program.findUniformLocation("uNotDeclared"), -1) << "an undeclared name is no error here";

    ASSERT_EQ(program.samplerLocations().size(), 2u);
    EXPECT_EQ(program.samplers().at("uHeightMap"), program.samplerLocations()[0]);
    EXPECT_EQ(program.samplers().at("uTexture"), program.samplerLocations()[1]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, ShaderProgramDeclaredInBothStagesKeepsOneTableEntry)
{
    const char* vertex = "#version 330 core\nuniform vec4 uColor;\nuniform sampler2D uTex;\nout vec4 vColor;\n"
                         "void main() { vColor = uColor + texture(uTex, vec2(0.0)); gl_Position = vec4(0.0); }\n";
    const char* fragment = "#version 330 core\nin vec4 vColor;\nuniform vec4 uColor;\nuniform sampler2D uTex;\n"
                           "out vec4 c;\nvoid main() { c = vColor * uColor * texture(uTex, vec2(0.5)); }\n";
    ShaderProgram program(vertex, fragment, "shared");
    ASSERT_TRUE(program.isLinked());
    EXPECT_EQ(program.uniforms().size(), 1u);
    EXPECT_EQ(program.samplers().size(), 1u);
    EXPECT_EQ(program.samplerLocations().size(), 2u);
}

TEST_F(GLTest, ShaderProgramThatFailsToCompileReportsAndDrawsNothing)
{
    const std::string broken = std::string(kFragment) + "this is not GLSL;\n";
    ::testing::internal::CaptureStdout();
    ShaderProgram program(kVertex, broken, "shaderBroken");
    const std::string console = ::testing::internal::GetCapturedStdout();

    EXPECT_FALSE(program.isLinked());
    EXPECT_TRUE(program.vertexStage().compiled);
    EXPECT_FALSE(program.fragmentStage().compiled);
    EXPECT_THAT(console, HasSubstr("Unable to compile shader " + std::to_string(program.fragmentStage().name) + "!\n"));
    EXPECT_THAT(console, HasSubstr("================================" + broken + "================================"));
    EXPECT_THAT(console, HasSubstr("\"shaderBroken\""));
    EXPECT_THAT(console, HasSubstr("Error linking program"));

    // Callers keep working: declared uniforms answer -1, unknown names do not stop the game.
    EXPECT_TRUE(program.hasUniform("uColor"));
    EXPECT_EQ(program.getUniformLocation("uColor"), -1);
    EXPECT_EQ(program.getUniformLocation("uNotDeclared"), -1);

    // Drawing with it leaves the frame as it was and raises no GL error.
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glUseProgram(program.programId());
    glUniform4f(program.getUniformLocation("uColor"), 1.0f, 0.0f, 0.0f, 1.0f);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    unsigned char pixel[4] = {};
    glReadPixels(TestSupport::kGLWindowWidth / 2, TestSupport::kGLWindowHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixel);
    EXPECT_NEAR(pixel[0], 64, 1);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_NEAR(pixel[2], 191, 1);
    glUseProgram(0);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, ShaderProgramThatFailsToLinkNamesItself)
{
    // Both stages compile, but the two declarations of uShared disagree on its type.
    const char* vertex = "#version 330 core\nuniform vec4 uShared;\nvoid main() { gl_Position = uShared; }\n";
    const char* fragment = "#version 330 core\nuniform float uShared;\nout vec4 c;\nvoid main() { c = vec4(uShared); }\n";
    ::testing::internal::CaptureStdout();
    ShaderProgram program(vertex, fragment, "shaderUnlinked");
    const std::string console = ::testing::internal::GetCapturedStdout();
    EXPECT_TRUE(program.vertexStage().compiled);
    EXPECT_TRUE(program.fragmentStage().compiled);
    EXPECT_FALSE(program.isLinked());
    EXPECT_THAT(console, HasSubstr("Error linking program"));
    EXPECT_THAT(console, HasSubstr("\"shaderUnlinked\""));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, ShaderProgramUndeclaredUniformOfLinkedProgramIsAProgrammingError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            ShaderProgram program(kVertex, kFragment, "test");
            program.getUniformLocation("uNotDeclared");
        },
        "hasUniform\\(uniform\\) == true");
}
