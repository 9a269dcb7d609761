#include "game/ui/uiclicksystem.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uihittest.h"

#include <algorithm>
#include <functional>

namespace UI::System {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIblockerComponent;
using Component::UIclickableComponent;
using Component::UItextComponent;
using Component::UItextInputComponent;

namespace {

constexpr int kLeftButton = 0;

// The layer an element is drawn on: its background's, else its text's.
int32_t elementLayer(ECS::EntityManager& world, ECS::EntityId entity)
{
    if (world.hasComponent<UIBackgroundComponent>(entity))
        return world.getComponent<UIBackgroundComponent>(entity).layer;
    if (world.hasComponent<UItextComponent>(entity))
        return static_cast<int32_t>(world.getComponent<UItextComponent>(entity).layer);
    return INT_MIN;
}

} // namespace

UIclickSystem::UIclickSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine)
    : ECS::ComponentSystem(manager, {ECS::ComponentId::Transform}), engine(&engine)
{
}

bool UIclickSystem::acceptsEntity(ECS::EntityId entity)
{
    return isUiElement(*manager, entity);
}

void UIclickSystem::begin(float)
{
    pointerX = engine->mouse->posX;
    pointerY = engine->mouse->posY;
    bestWeight = -1;
    pointerOverSomething = false;
    candidate = ECS::InvalidEntity;
    blockerLayer = topBlockerLayer();
}

int32_t UIclickSystem::topBlockerLayer() const
{
    int32_t top = INT_MIN;
    const auto& blockers = manager->componentList<UIblockerComponent>();
    for (std::uint32_t i = 0; i < blockers.size(); ++i) {
        const ECS::EntityId owner = blockers.ownerOf(i);
        if (manager->isDestroyPending(owner) || !manager->hasComponent<TransformComponent>(owner) ||
            !manager->hasComponent<UIBackgroundComponent>(owner))
            continue;
        if (pointerOn(manager->getComponent<TransformComponent>(owner), pointerX, pointerY))
            top = std::max(top, manager->getComponent<UIBackgroundComponent>(owner).layer);
    }
    return top;
}

bool UIclickSystem::isCovered(ECS::EntityId entity) const
{
    return blockerLayer != INT_MIN && !manager->hasComponent<UIblockerComponent>(entity) &&
           elementLayer(*manager, entity) <= blockerLayer;
}

void UIclickSystem::releaseUnlocked(ECS::EntityId entity)
{
    if (!manager->hasComponent<UIclickableComponent>(entity))
        return;
    UIclickableComponent& clickable = manager->getComponent<UIclickableComponent>(entity);
    if (!clickable.stateLocked)
        clickable.state = Idle;
}

void UIclickSystem::processEntity(ECS::EntityId entity, float)
{
    releaseUnlocked(entity);
    // An element on its way out (its screen was just closed) takes no part.
    if (manager->isDestroyPending(entity))
        return;
    if (!pointerOn(manager->getComponent<TransformComponent>(entity), pointerX, pointerY))
        return;
    pointerOverSomething = true;
    if (isCovered(entity))
        return;
    if (manager->hasComponent<UIclickableComponent>(entity)) {
        const int32_t priority = manager->getComponent<UIclickableComponent>(entity).priority;
        if (priority > bestWeight) {
            bestWeight = priority;
            candidate = entity;
        }
    }
    if (manager->hasComponent<UIBackgroundComponent>(entity)) {
        const int32_t layer = manager->getComponent<UIBackgroundComponent>(entity).layer;
        if (layer > bestWeight) {
            bestWeight = layer;
            candidate = entity;
        }
    }
}

void UIclickSystem::end(float)
{
    // While a field is being edited no button reacts, not even the one that started the edit.
    if (!pointerOverSomething || candidate == ECS::InvalidEntity ||
        manager->componentList<UItextInputComponent>().size() > 0)
        return;
    if (!manager->hasComponent<UIclickableComponent>(candidate))
        return;
    UIclickableComponent& clickable = manager->getComponent<UIclickableComponent>(candidate);
    const Engine::MouseState& mouse = *engine->mouse;
    if (!clickable.stateLocked)
        clickable.state = mouse.buttonDown(kLeftButton) ? Pressed : Hovered;
    const bool fires = clickable.clickMode == OnPress ? mouse.buttonPressed(kLeftButton)
                                                      : mouse.buttonReleased(kLeftButton);
    if (!fires || !clickable.callback)
        return;
    const int runs = clickable.countsEveryPress ? std::max(1, mouse.pressCount(kLeftButton)) : 1;
    // A copy: the action may change the world, and the component lives in the world's storage.
    const std::function<void()> callback = clickable.callback;
    for (int run = 0; run < runs && !manager->isDestroyPending(candidate); ++run)
        callback();
}

} // namespace UI::System
