#include "game/render/selectedentityrendersystem.h"

#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/vao.h"
#include "game/render/meshcomponent.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"

namespace Game {

SelectedEntityRenderSystem::SelectedEntityRenderSystem(ECS::EntityManager& manager,
                                                       Engine::GFX::RenderContext& renderContext,
                                                       RenderResources& resources)
    : BaseMeshRenderSystem(manager, Component::MeshComponent::selectedGroup, renderContext, resources)
{
    const Engine::GFX::ShaderProgram& program = *resources.shaderEntitySelection;
    if (program.hasUniform("uScale"))
        scaleLocation = program.getUniformLocation("uScale");
}

void SelectedEntityRenderSystem::processEntity(ECS::EntityId entity, float)
{
    const Component::MeshComponent& mesh = manager->getComponent<Component::MeshComponent>(entity);
    if (!mesh.mesh)
        return;
    const Component::TransformComponent& transform = manager->getComponent<Component::TransformComponent>(entity);
    glUniform3f(scaleLocation, transform.scale.x, transform.scale.y, transform.scale.z);
    renderContext->setModelMatrix(transform.matrix);
    mesh.mesh->draw();
}

} // namespace Game
