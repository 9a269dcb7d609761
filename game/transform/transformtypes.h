#pragma once
// Registration of the transform component types with the world.
namespace ECS {
class EntityManager;
}

namespace Game {

// Registers TransformComponent and RotationAnimationComponent.
void registerTransformComponents(ECS::EntityManager& manager);

} // namespace Game
