#include "game/physics/debugdrawer.h"

#include "engine/fileutil/fileutil.h"
#include "engine/gfx/fbo.h"
#include "engine/gfx/shader.h"

#include "tests/game/physics/testbodies.h"
#include "tests/support/gltest.h"

#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <vector>

using namespace PhysicsTest;
using DebugDraw::BulletDebugDrawer_OpenGL;
using DebugDraw::LineVertex;

namespace {

// Collects the lines instead of drawing them.
class RecordingDrawer : public BulletDebugDrawer_OpenGL {
public:
    std::vector<std::array<LineVertex, 2>> lines;

protected:
    void submitLine(const std::array<LineVertex, 2>& vertices) override { lines.push_back(vertices); }
};

bool hasLine(const RecordingDrawer& drawer, const btVector3& a, const btVector3& b)
{
    auto near = [](const float* p, const btVector3& v) {
        return std::abs(p[0] - v.x()) < 1e-4f && std::abs(p[1] - v.y()) < 1e-4f && std::abs(p[2] - v.z()) < 1e-4f;
    };
    for (const auto& line : drawer.lines) {
        if ((near(line[0].position, a) && near(line[1].position, b)) ||
            (near(line[0].position, b) && near(line[1].position, a)))
            return true;
    }
    return false;
}

} // namespace

TEST(DebugDrawer, ABoxInTheWorldArrivesAsItsTwelveEdgesWithColour)
{
    GamePhysics::PhysicsWorld world;
    auto block = box(world, 1, {10, 20, 3}, {1, 2, 3});
    RecordingDrawer drawer;
    world.setDebugDrawer(&drawer);
    world.drawDebugView();

    // Twelve wireframe edges plus the twelve edges of the (slightly larger) bounding box.
    EXPECT_EQ(drawer.lines.size(), 24u);
    EXPECT_TRUE(hasLine(drawer, {9, 18, 0}, {11, 18, 0}));
    EXPECT_TRUE(hasLine(drawer, {9, 18, 0}, {9, 22, 0}));
    EXPECT_TRUE(hasLine(drawer, {11, 22, 0}, {11, 22, 6}));

    drawer.lines.clear();
    world.setDebugDrawer(nullptr);
    world.drawDebugView();
    EXPECT_TRUE(drawer.lines.empty());
}

using DebugDrawerGL = TestSupport::GLTest;

TEST_F(DebugDrawerGL, EachLineReplacesTheSharedBufferAndVertexArray)
{
    {
        BulletDebugDrawer_OpenGL drawer;
        BulletDebugDrawer_OpenGL second;
        EXPECT_EQ(BulletDebugDrawer_OpenGL::vertexBufferName(), 0u);
        drawer.drawLine({0, 0, 0}, {1, 1, 1}, {1, 0, 0});
        const GLuint firstBuffer = BulletDebugDrawer_OpenGL::vertexBufferName();
        const GLuint firstArray = BulletDebugDrawer_OpenGL::vertexArrayName();
        ASSERT_NE(firstBuffer, 0u);
        second.drawLine({0, 0, 0}, {-1, 1, 1}, {0, 1, 0});
        const GLuint buffer = BulletDebugDrawer_OpenGL::vertexBufferName();
        const GLuint array = BulletDebugDrawer_OpenGL::vertexArrayName();
        EXPECT_TRUE(glIsBuffer(buffer));
        EXPECT_TRUE(glIsVertexArray(array));
        // The names may be recycled; if they were not, the old ones are gone.
        EXPECT_TRUE(buffer == firstBuffer || !glIsBuffer(firstBuffer));
        EXPECT_TRUE(array == firstArray || !glIsVertexArray(firstArray));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        // The names are shared: they stay while another drawer lives.
        {
            BulletDebugDrawer_OpenGL third;
        }
        EXPECT_EQ(BulletDebugDrawer_OpenGL::vertexBufferName(), buffer);
    }
    EXPECT_EQ(BulletDebugDrawer_OpenGL::vertexBufferName(), 0u);
    EXPECT_EQ(BulletDebugDrawer_OpenGL::vertexArrayName(), 0u);
}

TEST_F(DebugDrawerGL, DrawWorldDrawsTheBoxWithTheDebugProgram)
{
    const Engine::GFX::ShaderProgram program(Engine::readTextFile("data/shader/debug.vert"),
                                             Engine::readTextFile("data/shader/debug.frag"), "shaderPhysicsDebug");
    ASSERT_TRUE(program.isLinked());
    auto target = Engine::GFX::createPickingTarget(64, 64);
    target->bind();
    glViewport(0, 0, 64, 64);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    GamePhysics::PhysicsWorld world;
    auto block = box(world, 1, {0, 0, 0}, glm::vec3(1));
    {
        BulletDebugDrawer_OpenGL drawer;
        world.setDebugDrawer(&drawer);
        DebugDraw::drawWorld(world, program, glm::mat4(1.0f), glm::ortho(-2.0f, 2.0f, -2.0f, 2.0f, -10.0f, 10.0f));
        world.setDebugDrawer(nullptr);
    }

    std::vector<unsigned char> pixels(64 * 64 * 4);
    glReadPixels(0, 0, 64, 64, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    Engine::GFX::FBO::bindDefault();
    size_t lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
        lit += (pixels[i] | pixels[i + 1] | pixels[i + 2]) != 0 ? 1 : 0;
    // The outline of a square from -1 to 1 in a view of -2 to 2: lines near pixels 16 and 48,
    // nothing in the middle or at the border.
    EXPECT_GT(lit, 64u);
    EXPECT_LT(lit, 64u * 64u / 4);
    const size_t centre = (32 * 64 + 32) * 4;
    EXPECT_EQ(pixels[centre] | pixels[centre + 1] | pixels[centre + 2], 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
