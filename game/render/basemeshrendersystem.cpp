#include "game/render/basemeshrendersystem.h"

#include "game/render/meshcomponent.h"
#include "game/transform/transformcomponent.h"

namespace Game {

BaseMeshRenderSystem::BaseMeshRenderSystem(ECS::EntityManager& manager, uint32_t renderGroup,
                                           Engine::GFX::RenderContext& renderContext, RenderResources& resources)
    : ECS::ComponentSystem(manager, {Component::MeshComponent::_cType, Component::TransformComponent::_cType}),
      group(renderGroup), renderContext(&renderContext), resources(&resources)
{
}

bool BaseMeshRenderSystem::acceptsEntity(ECS::EntityId entity)
{
    return manager->getComponent<Component::MeshComponent>(entity).renderGroup == group;
}

} // namespace Game
