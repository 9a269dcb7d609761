#include "game/filebrowser/uifilebrowsersystem.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/filebrowser/filebrowser.h"

#include <SDL.h>

namespace UI::System {

using Component::UIfileBrowserComponent;

UIfileBrowserSystem::UIfileBrowserSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine)
    : ECS::ComponentSystem(manager, {ECS::ComponentId::Transform, ECS::ComponentId::UIfileBrowser}), engine(&engine)
{
}

void UIfileBrowserSystem::processEntity(ECS::EntityId entity, float)
{
    if (engine->keyboard && engine->keyboard->isPressed(SDL_SCANCODE_ESCAPE) && !manager->isDestroyPending(entity) &&
        onTop(entity))
        FileBrowser::cancel(*manager, entity);
}

bool UIfileBrowserSystem::onTop(ECS::EntityId entity) const
{
    // Escape in a field ends the edit only (the field keeps its focus marker until the refresh).
    if (manager->componentList<Component::UItextInputComponent>().size() > 0)
        return false;
    const int32_t layer = manager->getComponent<UIfileBrowserComponent>(entity).layer;
    const auto& blockers = manager->componentList<Component::UIblockerComponent>();
    for (uint32_t i = 0; i < blockers.size(); ++i) {
        const ECS::EntityId blocker = blockers.ownerOf(i);
        if (!manager->isDestroyPending(blocker) && manager->hasComponent<Component::UIBackgroundComponent>(blocker) &&
            manager->getComponent<Component::UIBackgroundComponent>(blocker).layer > layer)
            return false;
    }
    return true;
}

void UIfileBrowserSystem::onEntityAdded(ECS::EntityId entity)
{
    Message::UIfileBrowserRefreshMessage message;
    message.entityID = entity;
    message.path = manager->getComponent<UIfileBrowserComponent>(entity).folder.u8string();
    message.hasPath = true;
    manager->sendMessage(std::move(message));
}

void UIfileBrowserSystem::onEntityRemoved(ECS::EntityId entity)
{
    FileBrowser::destroyElements(*manager, manager->getComponent<UIfileBrowserComponent>(entity));
}

} // namespace UI::System
