#include "game/ui/uicomponents.h"

#include "engine/core/assert.h"
#include "engine/ecs/entitymanager.h"

#include <utility>

namespace UI {

void registerUiComponents(ECS::EntityManager& world)
{
    world.registerComponent<Component::UIBackgroundComponent>();
    world.registerComponent<Component::UISpriteComponent>();
    world.registerComponent<Component::UIblockerComponent>();
    world.registerComponent<Component::UItextComponent>();
    world.registerComponent<Component::UItextInputComponent>();
    world.registerComponent<Component::UIclickableComponent>();
}

} // namespace UI

namespace Component {

UIBackgroundComponent::UIBackgroundComponent(const Engine::GFX::Texture2D* texture, int32_t layer, glm::vec4 color)
    : texture(texture), layer(layer), color(color)
{
    TX_ASSERT(texture != nullptr, "a UI background needs a texture");
}

UISpriteComponent::UISpriteComponent(const Engine::GFX::Texture2D* texture, uint32_t alignX, uint32_t alignY,
                                     glm::vec2 offset, uint32_t layer)
    : alignX(alignX), alignY(alignY), offset(offset), texture(texture), layer(layer)
{
    TX_ASSERT(texture != nullptr, "a UI sprite needs a texture");
}

UItextComponent::UItextComponent(uint32_t layer, std::string_view text, const Engine::GFX::Font& font,
                                 glm::vec4 color, uint32_t alignX, glm::vec2 offset)
    : text(text), font(&font), textMesh(font, text), alignX(alignX), color(color), offset(offset), layer(layer)
{
}

void UItextComponent::setText(std::string_view newText)
{
    text.assign(newText);
    textMesh.setText(text);
}

UItextInputComponent::UItextInputComponent(Filter filter, std::function<void()> onCancel,
                                           std::function<void()> onConfirm)
    : filter(std::move(filter)), onConfirm(std::move(onConfirm)), onCancel(std::move(onCancel))
{
}

UIclickableComponent::UIclickableComponent(int32_t priority, std::function<void()> callback,
                                           const Engine::GFX::Texture2D* backgroundHover,
                                           const Engine::GFX::Texture2D* backgroundPressed)
    : callback(std::move(callback))
    , backgroundHover(backgroundHover)
    , backgroundPressed(backgroundPressed)
    , priority(priority)
{
    TX_ASSERT(backgroundHover != nullptr, "a clickable needs a hover texture");
    TX_ASSERT(backgroundPressed != nullptr, "a clickable needs a pressed texture");
}

} // namespace Component
