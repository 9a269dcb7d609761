#include "game/transform/transformstatecopysystem.h"

#include "game/transform/transformcomponent.h"

namespace Game {

TransformStateCopySystem::TransformStateCopySystem(ECS::EntityManager& manager)
    : ComponentSystem(manager, {Component::TransformComponent::_cType})
{
}

void TransformStateCopySystem::processEntity(ECS::EntityId entity, float)
{
    manager->getComponent<Component::TransformComponent>(entity).copyToPrevious();
}

} // namespace Game
