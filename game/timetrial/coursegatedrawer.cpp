#include "game/timetrial/coursegatedrawer.h"

#include "engine/gfx/model3d.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "game/resources/renderresources.h"
#include "game/timetrial/gatemarks.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

namespace Game::CourseGateDrawer {

glm::vec4 colourOf(GateKind kind)
{
    switch (kind) {
    case GateKind::Start:
        return {0.2f, 0.9f, 0.3f, 0.3f};
    case GateKind::Finish:
        return {1.0f, 0.25f, 0.2f, 0.35f};
    case GateKind::Checkpoint:
    default:
        return {1.0f, 0.75f, 0.1f, 0.3f};
    }
}

glm::mat4 modelOf(const OrientedBox& box)
{
    return glm::translate(glm::mat4(1.0f), box.center) * glm::mat4_cast(box.rotation) *
           glm::scale(glm::mat4(1.0f), 2.0f * box.halfExtents);
}

namespace {

// Checkpoint numbers and the start's arrow, nearly opaque over the translucent boxes.
void drawMarks(Engine::GFX::RenderContext& context, const RenderResources& resources, const Course& course, GLint tint)
{
    constexpr glm::vec4 kMarkColour{1.0f, 1.0f, 1.0f, 0.85f};
    glUniform4f(tint, kMarkColour.r, kMarkColour.g, kMarkColour.b, kMarkColour.a);
    const glm::vec3 eye = glm::inverse(context.viewMatrix)[3];
    GateMarks::Bars bars;
    for (const Gate& gate : course.gates()) {
        const size_t count = GateMarks::of(gate, eye, bars);
        for (size_t i = 0; i < count; ++i) {
            context.setModelMatrix(modelOf(bars[i]));
            resources.cube->draw();
        }
    }
}

} // namespace

void draw(Engine::GFX::RenderContext& context, const RenderResources& resources, const Course& course)
{
    if (course.empty() || !resources.cube || !resources.shaderEntity)
        return;
    const Engine::GFX::ShaderProgram& program = *resources.shaderEntity;
    context.useProgram(program);
    const GLint tint = program.getUniformLocation("uTint");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (const Gate& gate : course.gates()) {
        const glm::vec4 colour = colourOf(gate.kind);
        glUniform4f(tint, colour.r, colour.g, colour.b, colour.a);
        context.setModelMatrix(modelOf(gate.box));
        resources.cube->draw();
    }
    drawMarks(context, resources, course, tint);
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
}

} // namespace Game::CourseGateDrawer
