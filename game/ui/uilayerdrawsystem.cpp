#include "game/ui/uilayerdrawsystem.h"

#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/texture.h"

#include <GL/glew.h>

namespace UI::System {

UiLayerDrawSystem::UiLayerDrawSystem(ECS::EntityManager& manager,
                                     std::initializer_list<ECS::ComponentType> requiredComponents, int32_t layer,
                                     const UiDrawResources& resources, const Engine::GFX::ShaderProgram& program)
    : ECS::ComponentSystem(manager, requiredComponents)
    , layer(layer)
    , resources(resources)
    , program(program)
{
}

void UiLayerDrawSystem::begin(float)
{
    resources.renderContext->useProgram(program);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
    beginLayer();
}

void UiLayerDrawSystem::end(float)
{
    Engine::GFX::Texture2D::unbind();
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

} // namespace UI::System
