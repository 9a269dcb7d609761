#include "game/ui/uitextinputanimationrendersystem.h"

#include "engine/ecs/entitymanager.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/texture.h"
#include "engine/gfx/vao.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uitextplacement.h"
#include "game/ui/windowsize.h"

#include <glm/gtc/matrix_transform.hpp>

namespace UI::System {

using Component::TransformComponent;
using Component::UItextComponent;

UItextInputAnimationRenderSystem::UItextInputAnimationRenderSystem(ECS::EntityManager& manager, int32_t layer,
                                                                   const UiDrawResources& resources)
    : UiLayerDrawSystem(manager,
                        {ECS::ComponentId::Transform, ECS::ComponentId::UItext, ECS::ComponentId::UItextInput},
                        layer, resources, *resources.fontProgram)
    , colorLocation(resources.fontProgram->getUniformLocation("uColor"))
    , boundsXLocation(resources.fontProgram->getUniformLocation("uDrawBoundsX"))
    , boundsYLocation(resources.fontProgram->getUniformLocation("uDrawBoundsY"))
{
}

bool UItextInputAnimationRenderSystem::acceptsEntity(ECS::EntityId entity)
{
    return static_cast<int32_t>(manager->getComponent<UItextComponent>(entity).layer) == layer;
}

void UItextInputAnimationRenderSystem::beginLayer()
{
    const glm::vec2 window(windowSize(*resources.engine));
    glUniform2f(boundsXLocation, 0.0f, window.x);
    glUniform2f(boundsYLocation, 0.0f, window.y);
    resources.whiteTexture->bind();
}

void UItextInputAnimationRenderSystem::processEntity(ECS::EntityId entity, float)
{
    const UItextComponent& text = manager->getComponent<UItextComponent>(entity);
    const glm::vec2 caretSize = text.textMesh.caretSize();
    glm::vec2 at = textOrigin(manager->getComponent<TransformComponent>(entity), text, true);
    if (text.text.empty())
        at.y -= caretSize.y / 2.0f; // half a line down: centred on where the line would be
    else
        at += text.textMesh.caretPosition();

    const glm::mat4 model =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(at, 0.0f)), glm::vec3(caretSize, 1.0f));
    resources.renderContext->setModelMatrix(model);
    glUniform4f(colorLocation, text.color.r, text.color.g, text.color.b, text.color.a);
    resources.caretQuad->draw();
    ++resources.stats->drawCalls;
}

} // namespace UI::System
