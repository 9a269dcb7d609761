#include "game/filebrowser/uifilebrowsersystem.h"

#include "engine/ecs/entitymanager.h"
#include "game/filebrowser/filebrowser.h"

namespace UI::System {

using Component::UIfileBrowserComponent;

UIfileBrowserSystem::UIfileBrowserSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {ECS::ComponentId::Transform, ECS::ComponentId::UIfileBrowser})
{
}

void UIfileBrowserSystem::processEntity(ECS::EntityId, float) {}

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
