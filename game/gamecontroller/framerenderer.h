#pragma once
// One frame of the game: the 3-D scene into the off-screen scene target at the render scale's
// share of the window (entities, map, sky, floor, selection, rope, editor gizmo), the editor's
// picking image at the window's size, the scene darkened along its outlines in one pass (onto the
// window, or into the outline target stretched over the window when the scene is smaller), and
// over it at the window's size the texts, the UI layers, the crosshair and the pointer image. Each pass sets the GL state it needs; the frame ends with culling and depth
// test on, blending off with (SRC_ALPHA, ONE_MINUS_SRC_ALPHA), the window bound, no sampler on
// unit 0 and depth writes on. The off-screen images may be smaller than the window when it is
// larger than the GPU draws: each is drawn with a viewport of its own size and stretched over
// the window; without them (the GPU could not make them) only the overlay is drawn.
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/model3d.h"
#include "game/camera/cameradata.h"
#include "game/gamecontroller/renderscale.h"
#include "game/timetrial/ghostdrawer.h"

#include <functional>
#include <memory>

namespace Engine::GFX {
class FBO;
class RenderContext;
class ShaderProgram;
class TextMesh;
} // namespace Engine::GFX

namespace Game {

class Course;
class EditorPass;
class Ghost;
class Model3Dmap;
class RenderResources;
class UiPass;
struct GameStateRecord;

// What the controller tells the frame about the game at this moment.
struct FrameState {
    const GameStateRecord* state = nullptr;
    ECS::EntityId menuCameraEntity = ECS::InvalidEntity;
    ECS::EntityId editorCameraEntity = ECS::InvalidEntity;
    ECS::EntityId playerEntity = ECS::InvalidEntity;
    int width = 0; // window size in pixels
    int height = 0;
    int32_t renderScale = 100; // the setting: Engine::kRenderScaleAuto, a step, or not chosen (100%)
    double clockMs = 0.0;      // the loop clock as the frame is drawn, which Auto measures by
    int mouseX = 0; // pointer in window pixels from the bottom-left corner
    int mouseY = 0;
    const Model3Dmap* mapMesh = nullptr; // absent while the map is empty
    const Engine::GFX::TextMesh* speedText = nullptr;
    const Engine::GFX::TextMesh* ropeText = nullptr; // empty unless the player hangs on the rope
    UiPass* ui = nullptr;
    EditorPass* editor = nullptr;
    const Course* course = nullptr; // the gates of the course being run, drawn over the scene
    const Ghost* ghost = nullptr;   // the best run raced beside the player, drawn translucent
};

// The filter that stretches a scene image of `from` pixels over a window of `to` pixels: a whole
// multiple (50% of an even size) repeats each pixel, which keeps the outlines crisp and costs the
// software renderer half of smoothing; any other share is smoothed.
unsigned stretchFilter(int fromWidth, int fromHeight, int toWidth, int toHeight);

// The passes of a frame, named as each ends. A pass may end more than once a frame (the texts
// before and after the UI); the editor's selection and gizmo count as highlights.
enum class FramePass { sky, entities, map, floor, highlights, rope, picking, outline, composite, texts, ui, count };

// Called as each pass ends, its GL work queued; benchmarks finish the GPU work there to time it.
using PassObserver = std::function<void(FramePass)>;

class FrameRenderer {
public:
    // Builds the sky box, the screen quad and the screen-quad camera, and finds the render-time
    // systems of `world`, which must be set up already. Needs the GL context.
    FrameRenderer(ECS::EntityManager& world, RenderResources& resources, Engine::GFX::RenderContext& renderContext);
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // Draws the frame `alpha` of the way from the previous update to the last one, the scene at
    // the render scale `frame` asks for.
    void render(float alpha, const FrameState& frame);

    // The camera the 3-D scene is seen through in `frame`: the menu camera in the main menu, the
    // player's in play and while the editor play-tests, else the editor camera's; the resources'
    // default camera when the chosen entity has none.
    const CameraData& sceneCamera(const FrameState& frame) const;

    const Engine::GFX::Mesh::Model3D& skyBox() const { return *skyBoxMesh; }
    const Engine::GFX::Mesh::Model3D& screenQuad() const { return *screenQuadMesh; }
    const CameraData& screenQuadCamera() const { return quadCamera; }

    // From now on `observer` hears the end of every pass (empty: nobody does).
    void observePasses(PassObserver observer) { passObserver = std::move(observer); }

private:
    void passEnded(FramePass pass) const
    {
        if (passObserver)
            passObserver(pass);
    }
    void useCamera(const CameraData& camera);
    // Binds `target` with a viewport of its whole image, which may be smaller than the window.
    static void bindTarget(const Engine::GFX::FBO& target);
    void drawScene(float alpha, const FrameState& frame, bool playerControl);
    // The parts of the scene pass: the meshes and map, the sky cube behind them, the floor, and
    // what lies over them (selection highlights, ropes and the editor's gizmo).
    void drawWorld(float alpha, const FrameState& frame);
    void drawSky(const CameraData& camera);
    void drawFloor();
    void drawHighlights(float alpha, const FrameState& frame, bool playerControl);
    void drawPickingImage(const FrameState& frame);
    void drawOutlinesAndComposite(const FrameState& frame);
    // The outline target stretched over the window, smoothly.
    void stretchOverWindow(const FrameState& frame);
    // The scene targets at the scale `frame` asks for; Auto measures the frames while it is on.
    void followRenderScale(const FrameState& frame);
    void drawOverlay(const FrameState& frame, bool playerControl);
    // Binds "shaderFontDefault" with white text and clip bounds covering the whole window.
    void useTextProgram(const FrameState& frame);
    void setTextDefaults(const FrameState& frame);

    ECS::EntityManager* world;
    RenderResources* resources;
    Engine::GFX::RenderContext* renderContext;

    std::unique_ptr<Engine::GFX::Mesh::Model3D> skyBoxMesh;
    std::unique_ptr<Engine::GFX::Mesh::Model3D> screenQuadMesh;
    CameraData quadCamera;
    PassObserver passObserver;
    AutoRenderScale autoScale;
    GhostDrawer ghostDrawer;

    ECS::ComponentSystem* transformRefresh;
    ECS::ComponentSystem* cameraDelta;
    ECS::ComponentSystem* cameraModificationDelta;
    ECS::ComponentSystem* defaultMeshes;
    ECS::ComponentSystem* selectedMeshes;
    ECS::ComponentSystem* ropes;

    // Uniform locations looked up once.
    int skyColourLocation = -1;
    int pixelSizeLocation = -1;
    int textColourLocation = -1;
    int textBoundsXLocation = -1;
    int textBoundsYLocation = -1;
};

} // namespace Game
