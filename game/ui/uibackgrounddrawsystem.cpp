#include "game/ui/uibackgrounddrawsystem.h"

#include "engine/core/assert.h"
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/texture.h"
#include "engine/gfx/vao.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <glm/gtc/matrix_transform.hpp>

namespace UI::System {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIclickableComponent;

UiBackgroundDrawSystem::UiBackgroundDrawSystem(ECS::EntityManager& manager, int32_t layer,
                                               const UiDrawResources& resources)
    : UiLayerDrawSystem(manager, {ECS::ComponentId::Transform, ECS::ComponentId::UIBackground}, layer, resources,
                        *resources.backgroundProgram)
    , colorLocation(resources.backgroundProgram->getUniformLocation("uBackgroundColor"))
{
}

bool UiBackgroundDrawSystem::acceptsEntity(ECS::EntityId entity)
{
    return manager->getComponent<UIBackgroundComponent>(entity).layer == layer;
}

void UiBackgroundDrawSystem::processEntity(ECS::EntityId entity, float)
{
    const UIBackgroundComponent& background = manager->getComponent<UIBackgroundComponent>(entity);
    const Engine::GFX::Texture2D* texture = background.texture;
    glm::vec4 color = background.color;
    if (manager->hasComponent<UIclickableComponent>(entity)) {
        const UIclickableComponent& clickable = manager->getComponent<UIclickableComponent>(entity);
        if (clickable.state == Pressed) {
            TX_ASSERT(clickable.backgroundPressed != nullptr, "a pressed button needs its texture");
            texture = clickable.backgroundPressed;
            if (clickable.useStateColors)
                color = clickable.pressedColor;
        } else if (clickable.state == Hovered) {
            TX_ASSERT(clickable.backgroundHover != nullptr, "a hovered button needs its texture");
            texture = clickable.backgroundHover;
            if (clickable.useStateColors)
                color = clickable.hoverColor;
        }
    }
    if (color.a <= 0.0f)
        return;

    const TransformComponent& element = manager->getComponent<TransformComponent>(entity);
    const glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(element.position.x, element.position.y, 0.0f)),
                                       glm::vec3(element.scale.x, element.scale.y, 1.0f));
    resources.renderContext->setModelMatrix(model);
    glUniform4f(colorLocation, color.r, color.g, color.b, color.a);
    texture->bind();
    resources.quad->draw();
    ++resources.stats->drawCalls;
}

} // namespace UI::System
