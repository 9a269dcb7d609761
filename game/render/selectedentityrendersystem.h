#pragma once
// The selection pass: every entity in render group 2 (the highlight copies of selected blocks)
// drawn with "shaderEntitySelection", which the frame has bound together with the selection
// pattern; the block's scale keeps the pattern's size constant on blocks of any shape.
#include "game/render/basemeshrendersystem.h"

#include <GL/glew.h>

namespace Engine::GFX {
class ShaderProgram;
}

namespace Game {

class SelectedEntityRenderSystem : public BaseMeshRenderSystem {
public:
    static constexpr const char* systemName = "SelectedEntityRenderSystem";
    SelectedEntityRenderSystem(ECS::EntityManager& manager, Engine::GFX::RenderContext& renderContext,
                               RenderResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    GLint scaleLocation = -1; // "uScale" of the selection program
};

} // namespace Game
