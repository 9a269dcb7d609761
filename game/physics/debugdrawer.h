#pragma once
// The physics world's debug view: the library reduces every shape it shows to lines and hands
// them to drawLine, which draws each one at once with whatever program the caller bound (a
// position at attribute 0 and a colour at attribute 1). A debugging aid, not a per-frame path.
#include <LinearMath/btIDebugDraw.h>

#include <glm/mat4x4.hpp>

#include <array>

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics

namespace Engine::GFX {
class ShaderProgram;
}

namespace DebugDraw {

// One end of a line: 24 bytes, position then colour.
struct LineVertex {
    float position[3];
    float color[3];
};
static_assert(sizeof(LineVertex) == 24, "line vertices are uploaded as 6 packed floats");

class BulletDebugDrawer_OpenGL : public btIDebugDraw {
public:
    // The debug view reports wireframes and bounding boxes, whatever mode was stored.
    static constexpr int reportedDebugMode = DBG_DrawWireframe | DBG_DrawAabb;

    BulletDebugDrawer_OpenGL();
    // Frees the shared GL names when the last drawer goes; needs the GL context to be current.
    ~BulletDebugDrawer_OpenGL() override;
    BulletDebugDrawer_OpenGL(const BulletDebugDrawer_OpenGL&) = delete;
    BulletDebugDrawer_OpenGL& operator=(const BulletDebugDrawer_OpenGL&) = delete;

    void drawLine(const btVector3& from, const btVector3& to, const btVector3& color) override;
    void drawContactPoint(const btVector3&, const btVector3&, btScalar, int, const btVector3&) override {}
    void reportErrorWarning(const char*) override {}
    void draw3dText(const btVector3&, const char*) override {}
    void setDebugMode(int mode) override { debugMode = mode; }
    int getDebugMode() const override { return reportedDebugMode; }

    // The GL names shared by all drawers (0 until the first line is drawn).
    static unsigned vertexBufferName();
    static unsigned vertexArrayName();

protected:
    // Draws one line from its two vertices; the GL path by default.
    virtual void submitLine(const std::array<LineVertex, 2>& vertices);

private:
    int debugMode = 0;
};

// Draws the world's debug view (through its installed drawer) with `program`, a program like
// "shaderPhysicsDebug" that takes uModelViewMatrix and uProjectionMatrix; lines are in world space.
// A developer aid: the game does not call it.
void drawWorld(GamePhysics::PhysicsWorld& world, const Engine::GFX::ShaderProgram& program, const glm::mat4& view,
               const glm::mat4& projection);

} // namespace DebugDraw
