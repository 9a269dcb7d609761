#include "engine/gfx/rendercontext.h"

#include "engine/gfx/shader.h"
#include "tests/support/gltest.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

using Engine::GFX::RenderContext;
using Engine::GFX::ShaderProgram;
using TestSupport::GLTest;

namespace {

const char* kTwoSamplerFragment = "#version 330 core\nuniform sampler2D uFirst;\nuniform sampler2D uSecond;\nout vec4 c;\n"
                        "void main() { c = texture(uFirst, vec2(0.5)) + texture(uSecond, vec2(0.5)); }\n";

const char* kVertexAllMatrices = "#version 330 core\nin vec3 aPosition;\nuniform mat4 uModelViewMatrix;\n"
                                 "uniform mat4 uProjectionMatrix;\nuniform mat4 uModelMatrix;\nvoid main() {\n"
                                 "gl_Position = uProjectionMatrix * uModelViewMatrix * uModelMatrix * vec4(aPosition, 1.0);\n}\n";

const char* kVertexNoModel = "#version 330 core\nin vec3 aPosition;\nuniform mat4 uModelViewMatrix;\n"
                             "uniform mat4 uProjectionMatrix;\nvoid main() {\n"
                             "gl_Position = uProjectionMatrix * uModelViewMatrix * vec4(aPosition, 1.0);\n}\n";

glm::mat4 uploaded(const ShaderProgram& program, const char* name)
{
    glm::mat4 value(0.0f);
    glGetUniformfv(program.programId(), glGetUniformLocation(program.programId(), name), glm::value_ptr(value));
    return value;
}

struct Matrices {
    glm::mat4 view = glm::lookAt(glm::vec3(3.0f, -4.0f, 2.0f), glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f));
    glm::mat4 projection = glm::perspective(1.0f, 4.0f / 3.0f, 0.1f, 100.0f);
    glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 3.0f));
};

} // namespace

TEST_F(GLTest, RenderContextUploadsStandardMatricesOfTheBoundProgram)
{
    ShaderProgram program(kVertexAllMatrices, kTwoSamplerFragment, "all");
    ASSERT_TRUE(program.isLinked());
    RenderContext context;
    const Matrices m;
    context.viewMatrix = m.view;
    context.projectionMatrix = m.projection;
    context.useProgram(program);
    context.setModelMatrix(m.model);

    EXPECT_EQ(context.modelMatrix, m.model);
    EXPECT_EQ(context.modelViewMatrix, m.view * m.model);
    EXPECT_EQ(uploaded(program, "uModelViewMatrix"), m.view * m.model);
    EXPECT_EQ(uploaded(program, "uProjectionMatrix"), m.projection);
    EXPECT_EQ(uploaded(program, "uModelMatrix"), m.model);

    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), program.programId());
    // Samplers are tied to units in declaration order.
    GLint unit = -1;
    glGetUniformiv(program.programId(), program.samplers().at("uSecond"), &unit);
    EXPECT_EQ(unit, 1);
    glGetUniformiv(program.programId(), program.samplers().at("uFirst"), &unit);
    EXPECT_EQ(unit, 0);
    glUseProgram(0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, RenderContextSwitchingProgramsForgetsAbsentMatrices)
{
    ShaderProgram withModel(kVertexAllMatrices, kTwoSamplerFragment, "all");
    ShaderProgram withoutModel(kVertexNoModel, kTwoSamplerFragment, "noModel");
    RenderContext context;
    const Matrices m;
    context.viewMatrix = m.view;
    context.projectionMatrix = m.projection;

    context.useProgram(withModel);
    context.setModelMatrix(glm::mat4(1.0f));
    context.useProgram(withoutModel);
    context.setModelMatrix(m.model);
    EXPECT_EQ(uploaded(withoutModel, "uModelViewMatrix"), m.view * m.model);
    EXPECT_EQ(uploaded(withoutModel, "uProjectionMatrix"), m.projection);
    // The earlier program's model matrix location is not written with the new program bound.
    EXPECT_EQ(uploaded(withModel, "uModelMatrix"), glm::mat4(1.0f));
    glUseProgram(0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
