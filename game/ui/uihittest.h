#pragma once
// The pointer tests shared by the click and pointer-over-UI systems.
#include "engine/ecs/entitymanager.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

namespace UI {

// True when window pixel (px, py), counted from the bottom-left corner, lies on the element's
// rectangle; all four borders count as inside.
inline bool pointerOn(const Component::TransformComponent& transform, int px, int py)
{
    const float x = static_cast<float>(px);
    const float y = static_cast<float>(py);
    const glm::vec3& p = transform.position;
    const glm::vec3& s = transform.scale;
    return p.x <= x && x <= p.x + s.x && p.y <= y && y <= p.y + s.y;
}

// True for entities that are UI elements the pointer can be over. Blocks, cameras, the player and
// the floor carry transforms too, but their world coordinates mean nothing on the screen; a
// drawing that ignores the pointer (a selection box) is not in the pointer's way.
inline bool isUiElement(ECS::EntityManager& world, ECS::EntityId entity)
{
    if (world.hasComponent<Component::UIBackgroundComponent>(entity) &&
        world.getComponent<Component::UIBackgroundComponent>(entity).ignoresPointer &&
        !world.hasComponent<Component::UIclickableComponent>(entity))
        return false;
    return world.hasComponent<Component::UIBackgroundComponent>(entity) ||
           world.hasComponent<Component::UIclickableComponent>(entity) ||
           world.hasComponent<Component::UItextComponent>(entity) ||
           world.hasComponent<Component::UISpriteComponent>(entity);
}

} // namespace UI
