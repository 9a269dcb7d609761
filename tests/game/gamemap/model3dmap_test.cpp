#include "game/gamemap/model3dmap.h"

#include "engine/gfx/meshdata.h"
#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

using TestSupport::GLTest;

namespace {

// Shows the face-ID colour (location 4) so the read-back proves the fifth attribute is fed.
const char* kFaceIdVertex = R"(#version 330 core
in vec3 aPosition;
in vec3 aNormal;
in vec4 aColour;
in vec2 aTexCoord;
in vec3 aFaceId;
out vec3 vFaceId;
void main() { vFaceId = aFaceId + 0.0 * (aNormal + aColour.rgb + vec3(aTexCoord, 0.0)); gl_Position = vec4(aPosition, 1.0); }
)";
const char* kFaceIdFragment = R"(#version 330 core
in vec3 vFaceId;
out vec4 fragColour;
void main() { fragColour = vec4(vFaceId, 1.0); }
)";

} // namespace

TEST_F(GLTest, MapMeshFeedsTheFaceIdColourAsFifthInput)
{
    std::string log;
    const GLuint program = GfxTest::buildProgram(kFaceIdVertex, kFaceIdFragment,
                                                 {"aPosition", "aNormal", "aColour", "aTexCoord", "aFaceId"}, log);
    ASSERT_NE(program, 0u) << log;

    Engine::GFX::Mesh::MeshData data;
    Engine::GFX::Mesh::addQuadXY(data, {-1, -1, 0}, {1, 1, 0}, glm::vec4(1.0f), {1, 1});
    Game::Model3Dmap map;
    map.setMeshData(data);
    map.setFaceIDColours(std::vector<glm::vec3>(6, glm::vec3(3.0f / 255.0f, 2.0f / 255.0f, 1.0f / 255.0f)));
    EXPECT_EQ(map.bufferCount(), 5u);
    map.upload();

    GfxTest::OffscreenTarget target(8, 8);
    ASSERT_TRUE(target.complete);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(program);
    map.draw();
    const auto pixel = GfxTest::readPixel(4, 4);
    EXPECT_EQ(pixel[0], 3);
    EXPECT_EQ(pixel[1], 2);
    EXPECT_EQ(pixel[2], 1);
    glUseProgram(0);
    glDeleteProgram(program);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
