#include "game/render/rendertypes.h"

#include "engine/ecs/entitymanager.h"
#include "game/render/gridmaskmeshcomponent.h"
#include "game/render/meshcomponent.h"

namespace Game {

void registerRenderComponents(ECS::EntityManager& manager)
{
    manager.registerComponent<Component::MeshComponent>();
    manager.registerComponent<Component::GridMaskMeshComponent>();
}

} // namespace Game
