#include "game/render/grapplinghookmeshrendersystem.h"

#include "engine/gfx/model3d.h"
#include "engine/gfx/rendercontext.h"
#include "game/camera/cameracomponents.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace Game {
namespace {

bool isFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Draws the rod twice with the state the rope needs and restores the frame's state afterwards.
void drawRopeTwoPass(const Engine::GFX::Drawable& rod)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // Colour only: the rope blends into the scene image; the outline image and depth stay.
    glCullFace(GL_FRONT);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    rod.draw();

    // Depth only, plus alpha 0 in the outline image where the rope lies.
    glColorMaski(0, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_ZERO, GL_ZERO);
    rod.draw();

    glColorMaski(0, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}

} // namespace

glm::mat4 rotationFromZ(const glm::vec3& direction)
{
    // Any reference not along the direction gives a valid frame; z-up is the natural one except
    // for a rope hanging straight up or down.
    const glm::vec3 reference = std::abs(direction.z) < 0.9f ? glm::vec3(0.0f, 0.0f, 1.0f) : glm::vec3(1.0f, 0.0f, 0.0f);
    const glm::vec3 x = glm::normalize(glm::cross(reference, direction));
    const glm::vec3 y = glm::cross(direction, x);
    glm::mat4 r(1.0f);
    r[0] = glm::vec4(x, 0.0f);
    r[1] = glm::vec4(y, 0.0f);
    r[2] = glm::vec4(direction, 0.0f);
    return r;
}

std::optional<glm::mat4> ropeModelMatrix(const glm::vec3& from, const glm::vec3& anchor, const glm::vec3* eye)
{
    if (!isFinite(from) || !isFinite(anchor))
        return std::nullopt;
    const glm::vec3 d = anchor - from;
    const float length = glm::length(d);
    if (!(length > 0.0f) || !std::isfinite(length))
        return std::nullopt;
    const glm::vec3 n = d / length;
    float start = kRopeStartOffset;
    if (eye) {
        const glm::vec3 toEye = *eye - from;
        const float along = glm::dot(toEye, n);
        if (along > 0.0f && glm::length(toEye - along * n) < kRopeEyeClearance) {
            start = std::max(start, along + kRopeEyeClearance);
            if (start >= length)
                return std::nullopt;
        }
    }
    glm::mat4 model = glm::translate(glm::mat4(1.0f), from) * rotationFromZ(n);
    model = glm::translate(model, glm::vec3(0.0f, 0.0f, start));
    return glm::scale(model, glm::vec3(1.0f, 1.0f, length - start));
}

GrapplingHookMeshRenderSysten::GrapplingHookMeshRenderSysten(ECS::EntityManager& manager,
                                                             Engine::GFX::RenderContext& renderContext,
                                                             RenderResources& resources)
    : ECS::ComponentSystem(manager, {Component::CharacterControllerComponent::_cType,
                                     Component::TransformComponent::_cType}),
      renderContext(&renderContext), resources(&resources)
{
}

void GrapplingHookMeshRenderSysten::processEntity(ECS::EntityId entity, float alpha)
{
    const auto& character = manager->getComponent<Component::CharacterControllerComponent>(entity);
    if (!character.attached || !resources->rod)
        return;
    const auto& transform = manager->getComponent<Component::TransformComponent>(entity);
    const glm::vec3 from = transform.previousPosition + (transform.position - transform.previousPosition) * alpha;
    // A character that sees through its own eyes carries the eye height in its camera offset.
    std::optional<glm::vec3> eye;
    if (manager->hasComponent<Component::CameraModificationComponent>(entity)) {
        const auto& view = manager->getComponent<Component::CameraModificationComponent>(entity);
        eye = from + glm::vec3(0.0f, 0.0f, view.previousOffset.z + (view.offset.z - view.previousOffset.z) * alpha);
    }
    const std::optional<glm::mat4> model = ropeModelMatrix(from, character.anchor, eye ? &*eye : nullptr);
    if (!model)
        return;
    renderContext->setModelMatrix(*model);
    drawRopeTwoPass(*resources->rod);
}

} // namespace Game
