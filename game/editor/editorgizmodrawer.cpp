#include "game/editor/editorgizmodrawer.h"

#include "engine/gfx/fbo.h"

#include <GL/glew.h>

#include <array>
#include <string>

namespace Game {
namespace {

// Sub-mesh names of the x, y and z handles per tool (translate, rotate, scale).
const std::array<std::array<const char*, 3>, 3> kAxisMeshes = {{
    {"x_axis_transform", "y_axis_transform", "z_axis_transform"},
    {"x_axis_rotate", "y_axis_rotate", "z_axis_rotate"},
    {"x_axis_scale", "y_axis_scale", "z_axis_scale"},
}};

glm::vec4 idColour(int id) { return glm::vec4(float(id) / 255.0f, 0.0f, 0.0f, 1.0f); }

} // namespace

EditorGizmoDrawer::EditorGizmoDrawer(Engine::GFX::RenderContext& context, const RenderResources& resources)
    : context(&context)
    , resources(&resources)
{
}

void EditorGizmoDrawer::draw(const Component::EditorDataComponent& data)
{
    if (!data.gizmoShown || !resources->editorAxisMesh || data.tool > EditorTool::scale)
        return;
    const Engine::GFX::ShaderProgram& program = *resources->shaderEditorAxis;
    context->useProgram(program);
    context->setModelMatrix(data.gizmoMatrix);
    const GLint colour = program.getUniformLocation("uColor");
    glDisable(GL_BLEND);
    for (int axis = 0; axis < 3; ++axis)
        drawPart(kAxisMeshes[data.tool][axis], glm::vec4(data.handleColours[axis].current, 1.0f), colour);
    if (data.tool != EditorTool::rotate)
        drawPart("center", glm::vec4(data.handleColours[3].current, 1.0f), colour);
}

void EditorGizmoDrawer::drawIds(const Component::EditorDataComponent& data)
{
    if (!data.gizmoShown || !resources->editorAxisMesh || data.tool > EditorTool::scale)
        return;
    const Engine::GFX::ShaderProgram& program = *resources->shaderEditorAxisID;
    context->useProgram(program);
    context->setModelMatrix(data.gizmoMatrix);
    glUniform1f(program.getUniformLocation("uBorderScale"), kBorderScale);
    const GLint colour = program.getUniformLocation("uColor");
    for (int axis = 0; axis < 3; ++axis)
        drawPart(kAxisMeshes[data.tool][axis], idColour(axis + 1), colour);
    if (data.tool != EditorTool::rotate)
        drawPart("center_sphere", idColour(EditorHandle::centre), colour);
}

std::uint32_t EditorGizmoDrawer::pickHandle(int x, int y) const
{
    if (!resources->pickingTarget)
        return 0;
    return Engine::GFX::readPixelID(x, y, *resources->pickingTarget);
}

void EditorGizmoDrawer::drawPart(const std::string& subMesh, const glm::vec4& colour, int colourLocation) const
{
    glUniform4f(colourLocation, colour.r, colour.g, colour.b, colour.a);
    resources->editorAxisMesh->drawByName(subMesh);
}

} // namespace Game
