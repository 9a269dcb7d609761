#pragma once
// Common base of the two mesh passes: entities with a MeshComponent and a TransformComponent
// whose render group is the system's own, so each entity belongs to at most one mesh pass.
#include "engine/ecs/entitymanager.h"

#include <cstdint>

namespace Engine::GFX {
class RenderContext;
}

namespace Game {

class RenderResources;

class BaseMeshRenderSystem : public ECS::ComponentSystem {
public:
    // Asked again at every refresh after the entity changed, so a new group moves it between
    // the passes.
    bool acceptsEntity(ECS::EntityId entity) override;

    uint32_t renderGroup() const { return group; }

protected:
    BaseMeshRenderSystem(ECS::EntityManager& manager, uint32_t renderGroup, Engine::GFX::RenderContext& renderContext,
                         RenderResources& resources);

    uint32_t group;
    Engine::GFX::RenderContext* renderContext;
    RenderResources* resources;
};

} // namespace Game
