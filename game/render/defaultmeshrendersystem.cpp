#include "game/render/defaultmeshrendersystem.h"

#include "engine/gfx/rendercontext.h"
#include "engine/gfx/texture.h"
#include "engine/gfx/vao.h"
#include "game/render/meshcomponent.h"
#include "game/transform/transformcomponent.h"

#include <GL/glew.h>

namespace Game {

DefaultMeshRenderSystem::DefaultMeshRenderSystem(ECS::EntityManager& manager,
                                                 Engine::GFX::RenderContext& renderContext,
                                                 RenderResources& resources)
    : BaseMeshRenderSystem(manager, Component::MeshComponent::defaultGroup, renderContext, resources)
{
}

void DefaultMeshRenderSystem::processEntity(ECS::EntityId entity, float)
{
    const Component::MeshComponent& mesh = manager->getComponent<Component::MeshComponent>(entity);
    if (!mesh.mesh)
        return;
    renderContext->setModelMatrix(manager->getComponent<Component::TransformComponent>(entity).matrix);
    glActiveTexture(GL_TEXTURE0);
    if (mesh.texture)
        mesh.texture->bind();
    else
        Engine::GFX::Texture2D::unbind();
    mesh.mesh->draw();
}

} // namespace Game
