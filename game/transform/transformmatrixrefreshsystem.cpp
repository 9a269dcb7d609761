#include "game/transform/transformmatrixrefreshsystem.h"

#include "game/transform/transformcomponent.h"

namespace Game {

TransformMatrixRefreshSystem::TransformMatrixRefreshSystem(ECS::EntityManager& manager)
    : ComponentSystem(manager, {Component::TransformComponent::_cType})
{
}

// The list is looked up once per pass rather than once per entity.
void TransformMatrixRefreshSystem::begin(float)
{
    transforms = &manager->componentList<Component::TransformComponent>();
}

void TransformMatrixRefreshSystem::processEntity(ECS::EntityId entity, float alpha)
{
    transforms->getComponent(entity).refreshMatrix(alpha);
}

} // namespace Game
