#pragma once
// Draws the ghost of a course's best run into the scene image: the shipped running figure,
// posed by its running animation, at the ghost's place and facing, translucent in a pale tint,
// and its rope to the anchor while it swings. The ghost writes no depth and no outline, so it
// hides nothing, and it fades out as the camera comes close (the player runs through it).
#include "engine/gfx/skeletalpose.h"
#include "game/timetrial/ghost.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <memory>
#include <optional>

namespace Engine::GFX {
class RenderContext;
}

namespace Game {

class RenderResources;

class GhostDrawer {
public:
    // The figure's colour and opacity, and its rope's.
    static constexpr glm::vec4 kTint{0.6f, 0.95f, 1.0f, 0.65f};
    static constexpr glm::vec4 kRopeTint{1.0f, 1.0f, 1.0f, 0.6f};
    // The shipped figure stands this tall in its model; it is drawn as tall as the player's body.
    static constexpr float kModelHeight = 1.78f;
    // Within this distance of the camera the ghost is not drawn; it is fully shown from
    // kFadeDistance on, and faded in between.
    static constexpr float kHiddenDistance = 0.6f;
    static constexpr float kFadeDistance = 2.0f;

    // Binds the animation to the skinned figure of `resources`, which must outlive the drawer.
    explicit GhostDrawer(const RenderResources& resources);

    // The model matrix of the figure at `place`: its feet under the body's centre, facing the
    // place's yaw, scaled to the player's height.
    static glm::mat4 figureModel(const GhostPlace& place);
    // How opaque the ghost is drawn, 0 to 1, at `distance` from the camera.
    static float opacityAt(float distance);

    // Draws the ghost at `place` seen from `eye`, with the scene's camera already set; leaves
    // blending off, depth writes and both colour outputs on, and back faces culled.
    void draw(Engine::GFX::RenderContext& context, const GhostPlace& place, const glm::vec3& eye);

private:
    // The posed, tinted figure; and its rope from the body to the anchor, in the rope's tint.
    void drawFigure(Engine::GFX::RenderContext& context, const GhostPlace& place, float opacity);
    void drawRope(Engine::GFX::RenderContext& context, const GhostPlace& place, float opacity);

    const RenderResources* resources;
    std::optional<Engine::GFX::SkeletalPose> pose; // none without a skinned figure
    int boneLocation = -1; // of the skinning program
    int tintLocation = -1;
    int ropeTintLocation = -1; // of the entity program
};

} // namespace Game
