#include "engine/gfx/rendercontext.h"

#include "engine/gfx/shader.h"

#include <glm/gtc/type_ptr.hpp>

namespace Engine::GFX {
namespace {

void upload(GLint location, const glm::mat4& matrix)
{
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(matrix));
}

} // namespace

void RenderContext::useProgram(const ShaderProgram& program)
{
    glUseProgram(program.programId());
    const std::vector<GLint>& locations = program.samplerLocations();
    for (size_t unit = 0; unit < program.samplers().size() && unit < locations.size(); ++unit)
        glUniform1i(locations[unit], static_cast<GLint>(unit));

    const auto find = [&program](const char* name, StandardUniform& standard) {
        standard.present = program.hasUniform(name);
        standard.location = standard.present ? program.getUniformLocation(name) : -1;
    };
    find("uModelViewMatrix", modelView_);
    find("uProjectionMatrix", projection_);
    find("uModelMatrix", model_);
}

void RenderContext::setModelMatrix(const glm::mat4& model)
{
    modelMatrix = model;
    modelViewMatrix = viewMatrix * model;
    if (modelView_.present)
        upload(modelView_.location, modelViewMatrix);
    if (projection_.present)
        upload(projection_.location, projectionMatrix);
    if (model_.present)
        upload(model_.location, modelMatrix);
}

} // namespace Engine::GFX
