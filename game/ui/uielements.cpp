#include "game/ui/uielements.h"

#include "engine/core/log.h"
#include "game/transform/transformcomponent.h"

#include <string>

#include <utility>

namespace UI {

uint32_t freeEntityIds(const ECS::EntityManager& world)
{
    const uint32_t usable = ECS::EntityIdLimit - 1;
    const uint32_t live = world.liveEntityCount();
    return live >= usable ? 0 : usable - live;
}

bool roomFor(const ECS::EntityManager& world, uint32_t elements, std::string_view what)
{
    const uint32_t free = freeEntityIds(world);
    if (free >= elements)
        return true;
    Engine::logLine("UI: " + std::string(what) + " needs " + std::to_string(elements) + " entity ids, "
                    + std::to_string(free) + " are free; not shown");
    return false;
}

ECS::EntityId createBackground(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                               const Engine::GFX::Texture2D* texture, glm::vec4 color, bool ignoresPointer)
{
    const ECS::EntityId entity = world.createEntity();
    if (entity == ECS::InvalidEntity)
        return entity;
    Component::TransformComponent transform;
    transform.position = glm::vec3(position, 0.0f);
    transform.scale = glm::vec3(size, 1.0f);
    transform.rotation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    transform.previousPosition = transform.position;
    transform.previousScale = transform.scale;
    transform.previousRotation = transform.rotation;
    world.addComponent(entity, std::move(transform));
    Component::UIBackgroundComponent background(texture, layer, color);
    background.ignoresPointer = ignoresPointer;
    world.addComponent(entity, std::move(background));
    return entity;
}

ECS::EntityId createTextElement(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                                const Engine::GFX::Texture2D* backgroundTexture, glm::vec4 backgroundColor,
                                const Engine::GFX::Font& font, glm::vec4 textColor, std::string_view text,
                                uint32_t alignX, glm::vec2 offset)
{
    const ECS::EntityId entity = createBackground(world, layer, position, size, backgroundTexture, backgroundColor);
    if (entity == ECS::InvalidEntity)
        return entity;
    world.addComponent(entity,
                       Component::UItextComponent(static_cast<uint32_t>(layer), text, font, textColor, alignX, offset));
    return entity;
}

void addText(ECS::EntityManager& world, ECS::EntityId entity, uint32_t layer, const Engine::GFX::Font& font,
             std::string_view text, glm::vec4 color, glm::vec2 offset)
{
    if (entity == ECS::InvalidEntity)
        return;
    world.addComponent(entity, Component::UItextComponent(layer, text, font, color, AlignCentreX, offset));
}

void addSprite(ECS::EntityManager& world, ECS::EntityId entity, const Engine::GFX::Texture2D* texture,
               uint32_t alignX, uint32_t alignY, glm::vec2 offset, uint32_t layer)
{
    if (entity == ECS::InvalidEntity)
        return;
    world.addComponent(entity, Component::UISpriteComponent(texture, alignX, alignY, offset, layer));
}

namespace {

// A clickable part that tints its background with `hoverColor` and `pressedColor`.
Component::UIclickableComponent tintedClickable(int32_t priority, std::function<void()> callback,
                                                const Engine::GFX::Texture2D* backgroundHover,
                                                const Engine::GFX::Texture2D* backgroundPressed,
                                                glm::vec4 hoverColor, glm::vec4 pressedColor)
{
    Component::UIclickableComponent clickable(priority, std::move(callback), backgroundHover, backgroundPressed);
    clickable.useStateColors = true;
    clickable.hoverColor = hoverColor;
    clickable.pressedColor = pressedColor;
    return clickable;
}

} // namespace

void addClickable(ECS::EntityManager& world, ECS::EntityId entity, int32_t priority, std::function<void()> callback,
                  const Engine::GFX::Texture2D* backgroundHover, const Engine::GFX::Texture2D* backgroundPressed,
                  glm::vec4 hoverColor, glm::vec4 pressedColor)
{
    if (entity == ECS::InvalidEntity)
        return;
    world.addComponent(entity, tintedClickable(priority, std::move(callback), backgroundHover, backgroundPressed,
                                               hoverColor, pressedColor));
}

ECS::EntityId createButton(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                           const ButtonStyle& style, const ButtonFace& face, std::function<void()> action)
{
    const ECS::EntityId button = createBackground(world, layer, position, size, style.texture, style.color);
    if (button == ECS::InvalidEntity)
        return button;
    if (face.font) {
        const int32_t textLayer = face.textLayer < 0 ? layer : face.textLayer;
        addText(world, button, static_cast<uint32_t>(textLayer), *face.font, face.text, face.textColor);
    }
    if (face.icon)
        addSprite(world, button, face.icon, AlignCentreX, AlignCentreY, glm::vec2(0.0f), static_cast<uint32_t>(layer));
    Component::UIclickableComponent clickable = tintedClickable(style.priority, std::move(action), style.texture,
                                                                style.texture, style.hoverColor, style.pressedColor);
    clickable.countsEveryPress = style.countsEveryPress;
    world.addComponent(button, std::move(clickable));
    return button;
}

ECS::EntityId createBlocker(ECS::EntityManager& world, int32_t layer, const Engine::GFX::Texture2D* texture,
                            float width, float height)
{
    const ECS::EntityId entity =
        createBackground(world, layer, glm::vec2(0.0f), glm::vec2(width, height), texture, kBlockerColor);
    if (entity != ECS::InvalidEntity)
        world.addComponent(entity, Component::UIblockerComponent{});
    return entity;
}

bool popupOpen(ECS::EntityManager& world)
{
    return world.componentList<Component::UIblockerComponent>().size() > 0;
}

void beginTextInput(ECS::EntityManager& world, ECS::EntityId entity, Component::UItextInputComponent::Filter filter,
                    std::function<void()> onCancel, std::function<void()> onConfirm,
                    std::function<void()> onChange)
{
    if (!world.hasComponent<Component::UItextInputComponent>(entity)) {
        Component::UItextInputComponent input(std::move(filter), std::move(onCancel), std::move(onConfirm));
        input.onChange = std::move(onChange);
        world.addComponent(entity, std::move(input));
    }
    if (world.hasComponent<Component::UIclickableComponent>(entity))
        world.getComponent<Component::UIclickableComponent>(entity).stateLocked = true;
}

void destroyElement(ECS::EntityManager& world, ECS::EntityId entity)
{
    if (world.isAlive(entity) && !world.isDestroyPending(entity))
        world.destroyEntity(entity);
}

} // namespace UI
