#include "game/ui/uispritedrawsystem.h"

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
using Component::UISpriteComponent;

UiSpriteDrawSystem::UiSpriteDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources)
    : UiLayerDrawSystem(manager, {ECS::ComponentId::Transform, ECS::ComponentId::UISprite}, layer, resources,
                        *resources.backgroundProgram)
    , colorLocation(resources.backgroundProgram->getUniformLocation("uBackgroundColor"))
{
}

bool UiSpriteDrawSystem::acceptsEntity(ECS::EntityId entity)
{
    return manager->hasComponent<UIBackgroundComponent>(entity) &&
           manager->getComponent<UIBackgroundComponent>(entity).layer == layer;
}

void UiSpriteDrawSystem::beginLayer()
{
    glUniform4f(colorLocation, 1.0f, 1.0f, 1.0f, 1.0f);
}

void UiSpriteDrawSystem::processEntity(ECS::EntityId entity, float)
{
    const UISpriteComponent& sprite = manager->getComponent<UISpriteComponent>(entity);
    const TransformComponent& element = manager->getComponent<TransformComponent>(entity);
    const float x = element.position.x;
    const float y = element.position.y;
    const float w = element.scale.x;
    const float h = element.scale.y;
    const float tw = static_cast<float>(sprite.texture->width);
    const float th = static_cast<float>(sprite.texture->height);

    glm::vec2 at(x, y);
    if (sprite.alignX == AlignCentreX)
        at.x = x + w / 2.0f - tw / 2.0f;
    else if (sprite.alignX == AlignRight)
        at.x = x + w - tw;
    if (sprite.alignY == AlignTop)
        at.y = y + h - th;
    else if (sprite.alignY == AlignCentreY)
        at.y = y + h / 2.0f - th / 2.0f;
    at += sprite.offset;

    const glm::mat4 model =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(at, 0.0f)), glm::vec3(tw, th, 1.0f));
    resources.renderContext->setModelMatrix(model);
    sprite.texture->bind();
    resources.quad->draw();
    ++resources.stats->drawCalls;
}

} // namespace UI::System
