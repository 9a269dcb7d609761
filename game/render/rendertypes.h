#pragma once
// Registration of the render component types with the world.
namespace ECS {
class EntityManager;
}

namespace Game {

// Registers MeshComponent and GridMaskMeshComponent.
void registerRenderComponents(ECS::EntityManager& manager);

} // namespace Game
