#pragma once
// The entity pass: every entity in render group 0 drawn with its own texture and its
// interpolated matrix, through the program the frame has bound.
#include "game/render/basemeshrendersystem.h"

namespace Game {

class DefaultMeshRenderSystem : public BaseMeshRenderSystem {
public:
    static constexpr const char* systemName = "DefaultMeshRenderSystem";
    DefaultMeshRenderSystem(ECS::EntityManager& manager, Engine::GFX::RenderContext& renderContext,
                            RenderResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;
};

} // namespace Game
