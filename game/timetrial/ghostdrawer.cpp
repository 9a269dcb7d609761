#include "game/timetrial/ghostdrawer.h"

#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/texture.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/render/grapplinghookmeshrendersystem.h"
#include "game/resources/renderresources.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace Game {
namespace {

using Component::CharacterControllerComponent;

// The bone matrices the skinning program holds.
constexpr GLsizei kMaxBones = 64;
// The player's body, a capsule around a cylinder 0.6 shorter than its height: its centre lies
// this far above its feet.
constexpr float kBodyHalfHeight =
    CharacterControllerComponent::capsuleRadius + 0.5f * (CharacterControllerComponent::defaultHeight - 0.6f);

// The location of `name` in `program`, or -1 when the program (or the pointer) has none.
GLint locationOf(const std::unique_ptr<Engine::GFX::ShaderProgram>& program, const char* name)
{
    return program ? program->findUniformLocation(name) : -1;
}

// Sets the tint uniform at `location` to `colour`, its alpha times `opacity`.
void setTint(GLint location, const glm::vec4& colour, float opacity)
{
    glUniform4f(location, colour.r, colour.g, colour.b, colour.a * opacity);
}

} // namespace

GhostDrawer::GhostDrawer(const RenderResources& resources)
    : resources(&resources), boneLocation(locationOf(resources.skeletalShader, "uBoneMatrices")),
      tintLocation(locationOf(resources.skeletalShader, "uTint")),
      ropeTintLocation(locationOf(resources.shaderEntity, "uTint"))
{
    if (resources.skinnedMesh)
        pose.emplace(resources.skeleton, resources.animation, resources.skinnedMesh->bones());
}

glm::mat4 GhostDrawer::figureModel(const GhostPlace& place)
{
    const glm::vec3 feet = place.position - glm::vec3(0.0f, 0.0f, kBodyHalfHeight);
    // The figure faces +y; a yaw of 0 faces +x.
    const float turn = glm::radians(place.yaw - 90.0f);
    const glm::mat4 placed = glm::rotate(glm::translate(glm::mat4(1.0f), feet), turn, glm::vec3(0.0f, 0.0f, 1.0f));
    return glm::scale(placed, glm::vec3(2.0f * kBodyHalfHeight / kModelHeight));
}

float GhostDrawer::opacityAt(float distance)
{
    if (!std::isfinite(distance))
        return 0.0f;
    return std::clamp((distance - kHiddenDistance) / (kFadeDistance - kHiddenDistance), 0.0f, 1.0f);
}

void GhostDrawer::draw(Engine::GFX::RenderContext& context, const GhostPlace& place, const glm::vec3& eye)
{
    const float opacity = opacityAt(glm::distance(eye, place.position));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColorMaski(1, GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    if (opacity > 0.0f) {
        drawFigure(context, place, opacity);
        if (place.roped)
            drawRope(context, place, opacity);
    }
    glColorMaski(1, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void GhostDrawer::drawFigure(Engine::GFX::RenderContext& context, const GhostPlace& place, float opacity)
{
    if (!pose || !resources->skeletalShader)
        return;
    context.useProgram(*resources->skeletalShader);
    pose->evaluate(place.runningSeconds);
    const std::vector<glm::mat4>& bones = pose->skinningMatrices();
    if (!bones.empty())
        glUniformMatrix4fv(boneLocation, std::min(GLsizei(bones.size()), kMaxBones), GL_FALSE, &bones[0][0][0]);
    setTint(tintLocation, kTint, opacity);
    glActiveTexture(GL_TEXTURE0);
    if (resources->whiteTexture)
        resources->whiteTexture->bind();
    context.setModelMatrix(figureModel(place));
    resources->skinnedMesh->draw();
}

void GhostDrawer::drawRope(Engine::GFX::RenderContext& context, const GhostPlace& place, float opacity)
{
    const std::optional<glm::mat4> model = ropeModelMatrix(place.position, place.anchor);
    if (!model || !resources->rod || !resources->shaderEntity)
        return;
    context.useProgram(*resources->shaderEntity);
    setTint(ropeTintLocation, kRopeTint, opacity);
    context.setModelMatrix(*model);
    resources->rod->draw();
}

} // namespace Game
