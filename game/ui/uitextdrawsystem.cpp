#include "game/ui/uitextdrawsystem.h"

#include "engine/ecs/entitymanager.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/textmesh.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uitextplacement.h"
#include "game/ui/windowsize.h"

namespace UI::System {

using Component::TransformComponent;
using Component::UItextComponent;
using Component::UItextInputComponent;

UiTextDrawSystem::UiTextDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources)
    : UiLayerDrawSystem(manager, {ECS::ComponentId::Transform, ECS::ComponentId::UItext}, layer, resources,
                        *resources.fontProgram)
    , colorLocation(resources.fontProgram->getUniformLocation("uColor"))
    , boundsXLocation(resources.fontProgram->getUniformLocation("uDrawBoundsX"))
    , boundsYLocation(resources.fontProgram->getUniformLocation("uDrawBoundsY"))
{
}

bool UiTextDrawSystem::acceptsEntity(ECS::EntityId entity)
{
    return static_cast<int32_t>(manager->getComponent<UItextComponent>(entity).layer) == layer;
}

void UiTextDrawSystem::beginLayer()
{
    window = glm::vec2(windowSize(*resources.engine));
}

void UiTextDrawSystem::processEntity(ECS::EntityId entity, float)
{
    const UItextComponent& text = manager->getComponent<UItextComponent>(entity);
    if (!text.textMesh.hasMesh())
        return;
    const TransformComponent& element = manager->getComponent<TransformComponent>(entity);
    const bool beingEdited = manager->hasComponent<UItextInputComponent>(entity);
    const glm::vec2 origin = textOrigin(element, text, beingEdited);

    glUniform4f(colorLocation, text.color.r, text.color.g, text.color.b, text.color.a);
    if (text.clipToBox) {
        const glm::vec2 lower = glm::vec2(element.position) + text.clipPadding;
        const glm::vec2 upper = glm::vec2(element.position) + glm::vec2(element.scale) - text.clipPadding;
        glUniform2f(boundsXLocation, lower.x, upper.x);
        glUniform2f(boundsYLocation, lower.y, upper.y);
    } else {
        glUniform2f(boundsXLocation, 0.0f, window.x);
        glUniform2f(boundsYLocation, 0.0f, window.y);
    }
    Engine::GFX::drawTextMesh(*resources.renderContext, text.textMesh, glm::vec3(origin, 0.0f), glm::vec2(1.0f));
    ++resources.stats->drawCalls;
}

} // namespace UI::System
