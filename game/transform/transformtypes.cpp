#include "game/transform/transformtypes.h"

#include "engine/ecs/entitymanager.h"
#include "game/transform/rotationanimationcomponent.h"
#include "game/transform/transformcomponent.h"

namespace Game {

void registerTransformComponents(ECS::EntityManager& manager)
{
    manager.registerComponent<Component::TransformComponent>();
    manager.registerComponent<Component::RotationAnimationComponent>();
}

} // namespace Game
