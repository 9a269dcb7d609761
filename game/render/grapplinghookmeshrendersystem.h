#pragma once
// The rope pass: for every character whose grappling rope is attached, the rod mesh stretched
// from the character's interpolated position to the anchor. The rope is drawn twice: once
// blended into the scene colour without writing depth, once writing only depth and clearing the
// outline image's alpha, so the translucent rope hides what lies behind it from the outlines.
#include "engine/ecs/entitymanager.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <optional>

namespace Engine::GFX {
class RenderContext;
}

namespace Game {

class RenderResources;

// The rope starts this far along its direction from the character's centre.
constexpr float kRopeStartOffset = 0.2f;
// A rope passing closer than this to the viewer's eye starts beyond the eye instead, so that a
// character hanging straight below the anchor does not see the whole screen through the rope.
constexpr float kRopeEyeClearance = 0.25f;

// Rotation that turns +z onto the unit vector `direction`. Well defined for every direction,
// straight up and straight down included.
glm::mat4 rotationFromZ(const glm::vec3& direction);

// Model matrix of the rod (a cylinder from z = 0 to z = 1) for a rope from `from` to `anchor`:
// it runs from kRopeStartOffset along the rope to the anchor. None when the two points coincide
// or are not finite. A rope shorter than the offset gets a negative length scale and points
// back from the offset towards the anchor. With the character's `eye` given, a rope that passes
// within kRopeEyeClearance of it starts that far beyond it (none when that is past the anchor).
std::optional<glm::mat4> ropeModelMatrix(const glm::vec3& from, const glm::vec3& anchor,
                                         const glm::vec3* eye = nullptr);

// (Name as the game has always spelt it.)
class GrapplingHookMeshRenderSysten : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "GrapplingHookMeshRenderSysten";
    GrapplingHookMeshRenderSysten(ECS::EntityManager& manager, Engine::GFX::RenderContext& renderContext,
                                  RenderResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    Engine::GFX::RenderContext* renderContext;
    RenderResources* resources;
};

} // namespace Game
