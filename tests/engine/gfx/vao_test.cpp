#include "engine/gfx/vao.h"

#include "engine/gfx/meshdata.h"
#include "engine/gfx/model3d.h"
#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

using namespace Engine::GFX;
using TestSupport::GLTest;

namespace {

const char* kPositionOnlyVertex = R"(#version 330 core
in vec3 aPosition;
void main() { gl_Position = vec4(aPosition, 1.0); }
)";
const char* kWhiteFragment = R"(#version 330 core
out vec4 fragColour;
void main() { fragColour = vec4(1.0); }
)";

class VAOTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        std::string log;
        program = GfxTest::buildProgram(kPositionOnlyVertex, kWhiteFragment, {"aPosition"}, log);
        ASSERT_NE(program, 0u) << log;
        glUseProgram(program);
    }
    void TearDown() override
    {
        glUseProgram(0);
        glDeleteProgram(program);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    GLuint program = 0;
};

} // namespace

TEST_F(VAOTest, PlainArrayDrawsSlotZeroScalarsOverComponents)
{
    VAO vao({{kLayoutFloat, 3}});
    vao.setFloatBuffer(0, std::vector<float>(36, 0.25f));
    vao.upload();
    EXPECT_EQ(vao.vertexCount(), 12u);
    EXPECT_EQ(GfxTest::countTriangles([&] { vao.draw(); }), 4u);
}

TEST_F(VAOTest, GeneratedMeshFillsAllFourSlots)
{
    Mesh::MeshData data;
    Mesh::addBox(data, glm::vec3(-0.5f), glm::vec3(0.5f), glm::vec4(1.0f), {1, 1});
    Mesh::Model3D model;
    model.setMeshData(data);
    model.upload();
    EXPECT_EQ(GfxTest::countTriangles([&] { model.draw(); }), 12u);
}

TEST_F(VAOTest, IndexedModelDrawsAllSubMeshesOrOneByName)
{
    Mesh::Model3Di model;
    // Two quads: vertices 0-3 and 4-7, each sub-mesh indexing from its own base vertex.
    std::vector<float> positions(8 * 3, 0.0f);
    model.setFloatBuffer(0, positions);
    model.setFloatBuffer(1, positions);
    model.setFloatBuffer(2, std::vector<float>(8 * 4, 1.0f));
    model.setFloatBuffer(3, std::vector<float>(8 * 2, 0.0f));
    model.setIndices({0, 1, 2, 0, 2, 3, 0, 1, 2});
    model.addSubMesh("quad", {0, 6, 0});
    model.addSubMesh("triangle", {6, 3, 4});
    model.addSubMesh("quad", {6, 3, 0}); // a repeated name keeps its first record
    model.upload();

    EXPECT_EQ(GfxTest::countTriangles([&] { model.draw(); }), 4u);
    EXPECT_EQ(GfxTest::countTriangles([&] { model.drawByName("quad"); }), 2u);
    EXPECT_EQ(GfxTest::countTriangles([&] { model.drawByName("triangle"); }), 1u);

    testing::internal::CaptureStdout();
    EXPECT_EQ(GfxTest::countTriangles([&] { model.drawByName("missing"); }), 0u);
    model.drawByName("missing");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("\"missing\""), std::string::npos);
    EXPECT_EQ(out.find("missing", out.find("missing") + 8), std::string::npos) << "reported once: " << out;
}

TEST_F(VAOTest, MisuseOfSlotsStopsWithTheInvariantNamed)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            VAO vao({{kLayoutFloat, 3}});
            vao.setFloatBuffer(0, {0, 0, 0});
            vao.setFloatBuffer(0, {0, 0, 0});
        },
        "bufferSet == false");
    EXPECT_DEATH(
        {
            VAO vao({{kLayoutFloat, 3}});
            vao.setUIntBuffer(0, {0, 0, 0});
        },
        "type == MeshBuffer::Type::tUINT");
    EXPECT_DEATH(VAO({{7, 3}}), "false");
}
