#include "game/gamecontroller/framerenderer.h"

#include "engine/config/settings.h"
#include "engine/gfx/fbo.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/sampler.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/textmesh.h"
#include "engine/gfx/texture.h"
#include "game/camera/cameracomponents.h"
#include "game/player/controlswitches.h"
#include "game/gamecontroller/framemeshes.h"
#include "game/core/gamehooks.h"
#include "game/core/gamestaterecord.h"
#include "game/gamemap/model3dmap.h"
#include "game/render/defaultmeshrendersystem.h"
#include "game/render/grapplinghookmeshrendersystem.h"
#include "game/render/selectedentityrendersystem.h"
#include "game/camera/camerasystems.h"
#include "game/resources/renderresources.h"
#include "game/timetrial/coursegatedrawer.h"
#include "game/transform/transformmatrixrefreshsystem.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

namespace Game {

using Engine::GFX::Sampler;
using Engine::GFX::Texture2D;
using Engine::GFX::Mesh::Model3D;

namespace {

constexpr float kSkyScale = 100.0f;
constexpr float kCrosshairSize = 12.0f;
constexpr float kCursorSize = 24.0f;
constexpr float kTextTopMargin = 32.0f;   // the caption's distance from the top edge
constexpr float kFpsTextY = 32.0f;
constexpr float kBannerMargin = 10.0f;

std::unique_ptr<Model3D> uploadMesh(const Engine::GFX::Mesh::MeshData& data)
{
    auto mesh = std::make_unique<Model3D>();
    mesh->setMeshData(data);
    mesh->upload();
    return mesh;
}

void bindTexture(int unit, const Texture2D* texture)
{
    glActiveTexture(GL_TEXTURE0 + unit);
    if (texture)
        texture->bind();
    else
        Texture2D::unbind();
}

glm::mat4 placeAndScale(float x, float y, float size)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(x, y, 0.0f)), glm::vec3(size));
}

} // namespace

unsigned stretchFilter(int fromWidth, int fromHeight, int toWidth, int toHeight)
{
    const bool wholeMultiple = fromWidth > 0 && fromHeight > 0 && toWidth % fromWidth == 0 &&
                               toHeight % fromHeight == 0 && toWidth / fromWidth == toHeight / fromHeight;
    return wholeMultiple ? GL_NEAREST : GL_LINEAR;
}

FrameRenderer::FrameRenderer(ECS::EntityManager& world, RenderResources& resources,
                             Engine::GFX::RenderContext& renderContext)
    : world(&world), resources(&resources), renderContext(&renderContext), skyBoxMesh(uploadMesh(skyBoxMeshData())),
      screenQuadMesh(uploadMesh(screenQuadMeshData())), quadCamera(Game::screenQuadCamera()), ghostDrawer(resources),
      transformRefresh(world.getSystem<TransformMatrixRefreshSystem>()),
      cameraDelta(world.getSystem<CameraDeltaSystem>()),
      cameraModificationDelta(world.getSystem<CameraModificationDeltaSystem>()),
      defaultMeshes(world.getSystem<DefaultMeshRenderSystem>()),
      selectedMeshes(world.getSystem<SelectedEntityRenderSystem>()),
      ropes(world.getSystem<GrapplingHookMeshRenderSysten>())
{
    skyColourLocation = resources.shaderSkybox->findUniformLocation("uColor");
    pixelSizeLocation = resources.shaderFinalComposit->findUniformLocation("uPixelSize");
    textColourLocation = resources.shaderFontDefault->findUniformLocation("uColor");
    textBoundsXLocation = resources.shaderFontDefault->findUniformLocation("uDrawBoundsX");
    textBoundsYLocation = resources.shaderFontDefault->findUniformLocation("uDrawBoundsY");
}

const CameraData& FrameRenderer::sceneCamera(const FrameState& frame) const
{
    ECS::EntityId chosen = ECS::InvalidEntity;
    switch (frame.state->state) {
    case GameStateRecord::mainMenu:
        chosen = frame.menuCameraEntity;
        break;
    case GameStateRecord::singlePlayer:
        chosen = frame.playerEntity;
        break;
    case GameStateRecord::editor:
        chosen = hasPlayerControl(*world, frame.playerEntity) ? frame.playerEntity : frame.editorCameraEntity;
        break;
    default:
        break;
    }
    if (world->isAlive(chosen) && world->hasComponent<Component::CameraComponent>(chosen))
        return world->getComponent<Component::CameraComponent>(chosen).current;
    return resources->defaultCamera;
}

void FrameRenderer::bindTarget(const Engine::GFX::FBO& target)
{
    target.bind();
    glViewport(0, 0, GLsizei(target.width()), GLsizei(target.height()));
}

void FrameRenderer::useCamera(const CameraData& camera)
{
    renderContext->viewMatrix = camera.view;
    renderContext->projectionMatrix = camera.projection;
}

void FrameRenderer::render(float alpha, const FrameState& frame)
{
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);

    followRenderScale(frame);
    transformRefresh->run(alpha);
    cameraDelta->run(alpha);
    cameraModificationDelta->run(alpha);

    const bool playerControl = hasPlayerControl(*world, frame.playerEntity);
    const RenderResources& r = *resources;
    if (r.sceneTarget && r.outlineTarget && r.pickingTarget) {
        drawScene(alpha, frame, playerControl);
        Engine::GFX::FBO::bindDefault();
        if (frame.state->state == GameStateRecord::editor)
            drawPickingImage(frame);
        drawOutlinesAndComposite(frame);
    }
    glViewport(0, 0, frame.width, frame.height);
    drawOverlay(frame, playerControl);

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void FrameRenderer::followRenderScale(const FrameState& frame)
{
    if (frame.renderScale == Engine::kRenderScaleAuto)
        autoScale.frameShown(frame.clockMs);
    else
        autoScale.restart();
    resources->setSceneScale(renderScalePercent(frame.renderScale, autoScale));
}

void FrameRenderer::drawScene(float alpha, const FrameState& frame, bool playerControl)
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    bindTarget(*resources->sceneTarget);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const CameraData& camera = sceneCamera(frame);
    useCamera(camera);
    drawWorld(alpha, frame);
    drawSky(camera);
    drawFloor();
    drawHighlights(alpha, frame, playerControl);
}

void FrameRenderer::drawSky(const CameraData& camera)
{
    RenderResources& r = *resources;
    // A big cube around the eye, drawn at the far plane after the opaque geometry so that only
    // the pixels nothing covers are shaded; it hides nothing (no depth written).
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    renderContext->useProgram(*r.shaderSkybox);
    bindTexture(0, r.skyboxTexture.get());
    glUniform3f(skyColourLocation, 0.0f, 1.0f, 0.0f);
    renderContext->setModelMatrix(glm::scale(glm::translate(glm::mat4(1.0f), camera.eye), glm::vec3(kSkyScale)));
    skyBoxMesh->draw();
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    passEnded(FramePass::sky);
}

void FrameRenderer::drawWorld(float alpha, const FrameState& frame)
{
    RenderResources& r = *resources;
    // Entities with their own meshes.
    bindTexture(0, r.defaultTexture.get());
    renderContext->useProgram(*r.defaultShader);
    renderContext->setModelMatrix(glm::mat4(1.0f));
    defaultMeshes->run(alpha);
    passEnded(FramePass::entities);

    // The map: every block in one mesh.
    renderContext->useProgram(*r.shaderMapGeometry);
    bindTexture(0, r.hexagonTexture.get());
    bindTexture(1, r.defaultTexture.get());
    glActiveTexture(GL_TEXTURE0);
    renderContext->setModelMatrix(glm::mat4(1.0f));
    if (frame.mapMesh)
        frame.mapMesh->draw();
    passEnded(FramePass::map);
}

void FrameRenderer::drawFloor()
{
    RenderResources& r = *resources;
    // Floor grid, blended over the sky so that it fades with distance.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    renderContext->useProgram(*r.shaderFloor);
    bindTexture(0, r.gridTexture.get());
    renderContext->setModelMatrix(glm::mat4(1.0f));
    r.repeatSampler->bind(0);
    if (r.floor)
        r.floor->draw();
    Sampler::unbind(0);
    glDisable(GL_BLEND);
    passEnded(FramePass::floor);
}

void FrameRenderer::drawHighlights(float alpha, const FrameState& frame, bool playerControl)
{
    RenderResources& r = *resources;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);

    // Selection highlights over everything, unless the player is in control.
    if (!playerControl) {
        renderContext->useProgram(*r.shaderEntitySelection);
        r.repeatSampler->bind(0);
        bindTexture(0, r.selectionTexture.get());
        selectedMeshes->run(alpha);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        Sampler::unbind(0);
        passEnded(FramePass::highlights);
    }

    // Ropes.
    glDisable(GL_DEPTH_TEST);
    renderContext->useProgram(*r.shaderRope);
    bindTexture(0, r.defaultTexture.get());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    ropes->run(alpha);
    glDisable(GL_BLEND);
    // A course's translucent gates, then the best run's translucent ghost over them, so that it
    // keeps its tint in a gate; both timed with the rope.
    if (frame.course)
        CourseGateDrawer::draw(*renderContext, *resources, *frame.course);
    if (frame.ghost)
        ghostDrawer.draw(*renderContext, frame.ghost->place(alpha), sceneCamera(frame).eye);
    passEnded(FramePass::rope);

    // The editor's gizmo lies over the whole scene.
    if (!playerControl) {
        glClear(GL_DEPTH_BUFFER_BIT);
        if (frame.editor)
            frame.editor->drawGizmo();
        passEnded(FramePass::highlights);
    }
}

void FrameRenderer::drawPickingImage(const FrameState& frame)
{
    useCamera(sceneCamera(frame));
    bindTarget(*resources->pickingTarget);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (frame.editor)
        frame.editor->drawGizmoIds();
    Engine::GFX::FBO::bindDefault();
    passEnded(FramePass::picking);
}

void FrameRenderer::drawOutlinesAndComposite(const FrameState& frame)
{
    RenderResources& r = *resources;
    glDisable(GL_DEPTH_TEST);
    useCamera(quadCamera);
    // The pass reads the scene images texel for texel at their own size: straight onto a window
    // of that size, else into the outline target of the same size, stretched afterwards.
    const Engine::GFX::FBO& scene = *r.sceneTarget;
    const bool windowSized = int(scene.width()) == frame.width && int(scene.height()) == frame.height;
    if (windowSized) {
        Engine::GFX::FBO::bindDefault();
        glViewport(0, 0, frame.width, frame.height);
    } else {
        bindTarget(*r.outlineTarget);
    }
    renderContext->useProgram(*r.shaderFinalComposit);
    renderContext->setModelMatrix(glm::mat4(1.0f));
    // One texel of the images the edges are found in.
    glUniform2f(pixelSizeLocation, 1.0f / float(scene.width()), 1.0f / float(scene.height()));
    r.nearestSampler->bind(0);
    r.nearestSampler->bind(1);
    bindTexture(0, &scene.colourTexture(0));
    bindTexture(1, &scene.colourTexture(1));
    screenQuadMesh->draw();
    bindTexture(1, nullptr);
    glActiveTexture(GL_TEXTURE0);
    Sampler::unbind(0);
    Sampler::unbind(1);
    passEnded(FramePass::outline);
    if (!windowSized)
        stretchOverWindow(frame);
}

void FrameRenderer::stretchOverWindow(const FrameState& frame)
{
    const Engine::GFX::FBO& outline = *resources->outlineTarget;
    const int fromWidth = int(outline.width());
    const int fromHeight = int(outline.height());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, outline.id());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, fromWidth, fromHeight, 0, 0, frame.width, frame.height, GL_COLOR_BUFFER_BIT,
                      stretchFilter(fromWidth, fromHeight, frame.width, frame.height));
    Engine::GFX::FBO::bindDefault();
    passEnded(FramePass::composite);
}

void FrameRenderer::setTextDefaults(const FrameState& frame)
{
    glUniform4f(textColourLocation, 1.0f, 1.0f, 1.0f, 1.0f);
    glUniform2f(textBoundsXLocation, 0.0f, float(frame.width));
    glUniform2f(textBoundsYLocation, 0.0f, float(frame.height));
}

void FrameRenderer::useTextProgram(const FrameState& frame)
{
    renderContext->useProgram(*resources->shaderFontDefault);
    setTextDefaults(frame);
}

void FrameRenderer::drawOverlay(const FrameState& frame, bool playerControl)
{
    RenderResources& r = *resources;
    const float width = float(frame.width);
    const float height = float(frame.height);
    useCamera(r.screenPixelCamera);

    useTextProgram(frame);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    Engine::GFX::drawTextMesh(*renderContext, r.testText, {0.0f, height - kTextTopMargin, 0.0f}, {1.0f, 1.0f});
    if (frame.state->state == GameStateRecord::mainMenu) {
        const glm::vec3 at(width - float(r.bannerText.width()) - kBannerMargin, float(r.bannerText.height()), 0.0f);
        Engine::GFX::drawTextMesh(*renderContext, r.bannerText, at, {1.0f, 1.0f});
    }

    passEnded(FramePass::texts);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    if (frame.ui)
        frame.ui->draw();
    passEnded(FramePass::ui);

    // The UI may leave any program, colour and clip bounds behind: the texts set their own.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    useTextProgram(frame);
    Engine::GFX::drawTextMesh(*renderContext, r.fpsText, {0.0f, kFpsTextY, 0.0f}, {1.0f, 1.0f});
    const float lineHeight = float(r.fpsText.height());
    if (frame.speedText)
        Engine::GFX::drawTextMesh(*renderContext, *frame.speedText, {0.0f, kFpsTextY + lineHeight, 0.0f}, {1.0f, 1.0f});
    if (frame.ropeText)
        Engine::GFX::drawTextMesh(*renderContext, *frame.ropeText, {0.0f, kFpsTextY + 2.0f * lineHeight, 0.0f},
                                  {1.0f, 1.0f});
    passEnded(FramePass::texts);

    if (playerControl && !frame.state->paused) {
        setTextDefaults(frame);
        renderContext->setModelMatrix(
            placeAndScale(width * 0.5f - kCrosshairSize * 0.5f, height * 0.5f - kCrosshairSize * 0.5f, kCrosshairSize));
        bindTexture(0, r.crosshairTexture.get());
        r.unitQuadA->draw();
        Texture2D::unbind();
    }

    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    if (frame.state->showCursor) {
        renderContext->useProgram(*r.shaderDefaultPremultipliedAlpha);
        renderContext->setModelMatrix(
            placeAndScale(float(frame.mouseX) + kCursorSize * 0.5f, float(frame.mouseY) - kCursorSize * 0.5f, kCursorSize));
        bindTexture(0, r.mouseTexture.get());
        r.cursorQuad->draw();
        Texture2D::unbind();
    }
    passEnded(FramePass::ui);
}

} // namespace Game
