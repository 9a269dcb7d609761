#include "game/physics/debugdrawer.h"

#include "engine/gfx/shader.h"
#include "game/physics/physicsworld.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include <cstddef>

namespace DebugDraw {
namespace {

GLuint sharedVertexBuffer = 0;
GLuint sharedVertexArray = 0;
int liveDrawers = 0;

LineVertex makeVertex(const btVector3& position, const btVector3& color)
{
    return LineVertex{{position.x(), position.y(), position.z()}, {color.x(), color.y(), color.z()}};
}

void releaseSharedNames()
{
    // Deleting name 0 is harmless, so this also covers a drawer that never drew.
    glDeleteBuffers(1, &sharedVertexBuffer);
    glDeleteVertexArrays(1, &sharedVertexArray);
    sharedVertexBuffer = 0;
    sharedVertexArray = 0;
}

} // namespace

BulletDebugDrawer_OpenGL::BulletDebugDrawer_OpenGL()
{
    ++liveDrawers;
}

BulletDebugDrawer_OpenGL::~BulletDebugDrawer_OpenGL()
{
    --liveDrawers;
    if (liveDrawers == 0 && (sharedVertexBuffer != 0 || sharedVertexArray != 0))
        releaseSharedNames();
}

unsigned BulletDebugDrawer_OpenGL::vertexBufferName() { return sharedVertexBuffer; }
unsigned BulletDebugDrawer_OpenGL::vertexArrayName() { return sharedVertexArray; }

void BulletDebugDrawer_OpenGL::drawLine(const btVector3& from, const btVector3& to, const btVector3& color)
{
    submitLine({makeVertex(from, color), makeVertex(to, color)});
}

void BulletDebugDrawer_OpenGL::submitLine(const std::array<LineVertex, 2>& vertices)
{
    releaseSharedNames();
    glGenBuffers(1, &sharedVertexBuffer);
    glGenVertexArrays(1, &sharedVertexArray);

    glBindVertexArray(sharedVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, sharedVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices.data(), GL_STATIC_DRAW);
    const GLsizei stride = sizeof(LineVertex);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(LineVertex, position)));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offsetof(LineVertex, color)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glBindVertexArray(0);

    glBindVertexArray(sharedVertexArray);
    glDrawArrays(GL_LINES, 0, 2);
    glBindVertexArray(0);
}

void drawWorld(GamePhysics::PhysicsWorld& world, const Engine::GFX::ShaderProgram& program, const glm::mat4& view,
               const glm::mat4& projection)
{
    glUseProgram(program.programId());
    glUniformMatrix4fv(program.getUniformLocation("uModelViewMatrix"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(program.getUniformLocation("uProjectionMatrix"), 1, GL_FALSE, glm::value_ptr(projection));
    world.drawDebugView();
    glUseProgram(0);
}

} // namespace DebugDraw
