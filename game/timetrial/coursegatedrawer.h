#pragma once
// Draws a course's gates into the scene image: translucent boxes in the colour of their kind (the
// start green, checkpoints amber, the finish red), seen from inside as from outside, with each
// checkpoint's number and the start's facing arrow on them (GateMarks). They write
// neither depth nor the outline image, so they hide nothing behind them and get no outline.
#include "game/course/course.h"

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

namespace Engine::GFX {
class RenderContext;
}

namespace Game {

class RenderResources;

namespace CourseGateDrawer {

// The colour and opacity a gate of `kind` is drawn in.
glm::vec4 colourOf(GateKind kind);
// The model matrix that turns the unit cube around the origin into `box`.
glm::mat4 modelOf(const OrientedBox& box);
// Draws every gate of `course` with the scene's camera already set; leaves blending off, depth
// writes and both colour outputs on, and back faces culled.
void draw(Engine::GFX::RenderContext& context, const RenderResources& resources, const Course& course);

} // namespace CourseGateDrawer
} // namespace Game
