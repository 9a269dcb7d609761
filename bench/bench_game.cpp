// The whole game, measured: the real engine and game controller in a real 1280 x 720 window (the
// software renderer under Xvfb), the clock and the keys scripted so that every run plays the same.
// Prints
//   - the time from process start (and from main) to the first menu frame on screen;
//   - the mean frame time in the menu and in play (render, swap, and the GPU's work finished);
//   - the draw calls of one frame in play with the 150-block map and with 1,500 blocks, counted
//     by wrapping the GL draw entry points the game uses (glDrawArrays, glDrawElements,
//     glDrawElementsBaseVertex);
//   - the UI pass alone (every UI layer, GPU work finished) and its draw calls: over the main
//     menu, and over the main menu with a confirm dialog and an OK pop-up open;
//   - the editor's tick while a handle drag moves 200 selected blocks of 1,500, as a share of the
//     step (target: under 0.1);
//   - and, last, the update in play on the 150-block map (every system, messages, one physics
//     step, refresh) over 1,000 updates: worst and mean as a share of the 10 ms step (target:
//     mean under 0.05).
// Run it from the repository root with a display (scripts/xvfb.sh), on a quiet machine.
#include "engine/core/enginecore.h"
#include "engine/core/keyboardstate.h"
#include "bench/support/benchsource.h"
#include "engine/core/mousestate.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editorplayer.h"
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menubuilder.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <GL/glew.h>
#include <SDL.h>
#include <dlfcn.h>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace BenchSupport;

constexpr int kUpdates = 1000;
constexpr int kUpdatesPerFrame = 10;
constexpr int kMenuFrames = 60;
constexpr int kUiPasses = 200;
constexpr double kStepMs = Game::GameController::kStepMs;

// Milliseconds since the kernel started this process (10 ms resolution), or -1.
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    if (afterName == std::string::npos)
        return -1.0;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) {
            timespec now{};
            clock_gettime(CLOCK_BOOTTIME, &now);
            const double startMs = std::stod(field) * 1000.0 / double(sysconf(_SC_CLK_TCK));
            return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6 - startMs;
        }
    }
    return -1.0;
}

// The game's draw calls, counted on their way to the driver.
long drawCalls = 0;

using DrawArrays = void (*)(GLenum, GLint, GLsizei);
using DrawElements = void (*)(GLenum, GLsizei, GLenum, const void*);
PFNGLDRAWELEMENTSBASEVERTEXPROC realDrawElementsBaseVertex = nullptr;

void GLAPIENTRY countedDrawElementsBaseVertex(GLenum mode, GLsizei count, GLenum type, const void* indices, GLint base)
{
    ++drawCalls;
    realDrawElementsBaseVertex(mode, count, type, indices, base);
}

struct Bench {
    BenchSource source;
    Engine::EngineCore engine{&source};
    Game::GameController game{engine};

    // One frame drawn and shown, the GPU's work included; answers its milliseconds.
    double frame()
    {
        const Clock::time_point start = Clock::now();
        game.render(0.5f);
        source.swapWindow(engine.window->window);
        glFinish();
        return msBetween(start, Clock::now());
    }

    // One update with the player running and turning; answers its milliseconds.
    double update(int index)
    {
        source.keys[SDL_SCANCODE_W] = 1;
        source.keys[SDL_SCANCODE_SPACE] = index % 150 < 2 ? 1 : 0;
        source.clock += Game::GameController::kStepMs;
        engine.keyboard->refresh();
        engine.mouse->relX = 3;
        engine.mouse->relY = 0;
        const Clock::time_point start = Clock::now();
        game.update();
        return msBetween(start, Clock::now());
    }

    struct UiPassFigures {
        double ms = 0.0;
        long drawCalls = 0;
    };

    // The UI pass alone, drawn again and again over a frame, as the frame draws it: screen-pixel
    // camera (left by the frame), no depth test.
    UiPassFigures uiPass()
    {
        frame();
        glDisable(GL_DEPTH_TEST);
        UiPassFigures figures;
        drawCalls = 0;
        game.ui()->draw();
        figures.drawCalls = drawCalls;
        glFinish();
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kUiPasses; ++i) {
            game.ui()->draw();
            glFinish();
        }
        figures.ms = msBetween(start, Clock::now()) / kUiPasses;
        glEnable(GL_DEPTH_TEST);
        return figures;
    }

    long drawCallsOfOneFrame()
    {
        glFinish();
        drawCalls = 0;
        game.render(0.5f);
        const long counted = drawCalls;
        source.swapWindow(engine.window->window);
        glFinish();
        return counted;
    }
};

// --- The editor ------------------------------------------------------------------------------

constexpr int kEditorBlocks = 1500;
constexpr int kSelected = 200;
constexpr int kDragTicks = 600;

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The x handle is always under the pointer; nothing else of the UI exists.
class BenchHost : public Game::EditorHost {
public:
    bool modalOpen() override { return false; }
    void openPauseMenu() override {}
    void resumeFromPause() override {}
    void clearTopBar() override {}
    void buildTopBar() override {}
    void closeAddDropdown() override {}
    void showTool(std::uint32_t) override {}
    void showSnapping(bool) override {}
    void toggleHelp() override {}
    bool helpShown() override { return false; }
    void showSelectionBox(glm::vec2, glm::vec2) override {}
    void hideSelectionBox() override {}
    void showMessage(const std::string&) override {}
    std::uint32_t pickHandle(int, int) override { return 1; }
    void windowSize(int& width, int& height) override
    {
        width = 1280;
        height = 720;
    }
    void warpPointer(int, int) override {}
    void grabPointer(bool) override {}
    void capturePointer(bool) override {}
};

struct EditorWorld {
    GamePhysics::PhysicsWorld physics;
    Game::GameMap map;
    ECS::EntityManager ecs;
    Game::GameStateRecord state{Game::GameStateRecord::editor, false, true, false};
    BenchHost host;
    std::vector<Uint8> keys = std::vector<Uint8>(SDL_NUM_SCANCODES, 0);
    Engine::KeyboardState keyboard{keys.data(), SDL_NUM_SCANCODES};
    Engine::MouseState mouse;
    GamePhysics::PhysicsMotionStateSystem* motion = nullptr;
    std::unique_ptr<Game::EditorPlayer> editor;

    EditorWorld()
    {
        ecs.registerComponent<Component::TransformComponent>();
        ecs.registerComponent<Component::PhysicsColliderComponent>();
        ecs.registerComponent<Component::PhysicsRigidBodyComponent>();
        ecs.registerComponent<Component::EditorDataComponent>();
        ecs.registerComponent<Component::CameraComponent>();
        ecs.registerComponent<Component::CameraModificationComponent>();
        ecs.registerComponent<Component::CameraMouseMovementComponent>();
        ecs.registerComponent<Component::FreeCamMovementComponent>();
        ecs.registerComponent<Component::CameraMouseZoomMoveComponent>();
        ecs.registerComponent<Component::CharacterControllerComponent>();
        ecs.registerMessage<Message::PhysicsColliderShapeChangeMessage>();
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, physics));
        motion = ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, physics));
        ecs.addMessageSystem(GamePhysics::PhysicsColliderChangeMessageSystem(ecs, physics));

        Game::EditorPlayer::Entities ids;
        ids.editor = ecs.createEntity();
        ecs.addComponent(ids.editor, Component::EditorDataComponent{});
        ids.editorCamera = ecs.createEntity();
        Game::CameraData camera;
        camera.eye = {0, -60, 20};
        camera.center = {0, 0, 0};
        ecs.addComponent(ids.editorCamera, Component::CameraComponent(camera));
        Component::TransformComponent place;
        place.position = camera.eye;
        ecs.addComponent(ids.editorCamera, place);
        ecs.addComponent(ids.editorCamera, Component::CameraModificationComponent{});
        ecs.addComponent(ids.editorCamera, Component::FreeCamMovementComponent{});
        ids.player = ecs.createEntity();
        ecs.refresh();
        ecs.getComponent<Component::CameraComponent>(ids.editorCamera).current = camera;
        editor = std::make_unique<Game::EditorPlayer>(ecs, map, physics, ids, state, host);

        Game::MapRandom random;
        const auto draw = [&random] { return float(random.next()) / float(Game::MapRandom::kMax); };
        for (int i = 0; i < kEditorBlocks; ++i) {
            Component::TransformComponent block;
            block.position = {draw() * 100 - 50, draw() * 100 - 50, draw() * 30};
            block.scale = {1 + draw() * 9, 1 + draw() * 9, 1 + draw() * 9};
            block.rotation = glm::normalize(glm::quat(draw(), draw(), draw(), draw()));
            map.addQube(ecs, block);
        }
        ecs.refresh();
        int selected = 0;
        for (const ECS::EntityId block : map.qubeIDs) {
            if (selected++ == kSelected)
                break;
            editor->scene().queueSelect(block);
        }
        step(0); // the selection copies are made
        step(0); // and have their transforms
    }

    ~EditorWorld()
    {
        editor.reset();
        map.clear(ecs);
        ecs.destroyAllEntities();
        ecs.refresh();
    }

    // One game update; answers the CPU time of the editor's tick alone.
    double step(Uint32 buttons)
    {
        keyboard.refresh();
        mouse.previousButtons = mouse.buttons;
        mouse.buttons = buttons;
        const double start = cpuMs();
        editor->editorTick(keyboard, mouse);
        const double spent = cpuMs() - start;
        ecs.processMessages();
        motion->run(0.0f);
        ecs.refresh();
        return spent;
    }
};

// The editor's tick while a translate drag moves 200 selected blocks of a 1,500-block map, in a
// world set up as the game sets up the editor's part of it, ticked as the game does it (the
// editor's tick, messages, the bodies' places, the refresh). CPU time of the editor's tick alone;
// the picking image is not read (the host answers the x handle). Answers the mean per tick, or
// a negative value when the drag did not move the blocks.
double editorDragMeanMs()
{
    EditorWorld world;
    world.mouse.x = world.mouse.posX = 640;
    world.mouse.y = world.mouse.posY = 360;
    const ECS::EntityId first = world.editor->data().selections.entityToSelection.begin()->first;
    const glm::vec3 before = world.ecs.getComponent<Component::TransformComponent>(first).position;
    world.step(SDL_BUTTON_LMASK); // press on the x handle
    if (world.editor->data().mode != Game::EditorMode::dragging) {
        std::printf("the drag did not start\n");
        return -1.0;
    }
    std::vector<double> ticks;
    ticks.reserve(kDragTicks);
    for (int i = 0; i < kDragTicks; ++i) {
        // Sweep the pointer across the middle of the window and back.
        const int offset = (i % 200) < 100 ? i % 100 : 100 - i % 100;
        world.mouse.x = world.mouse.posX = 590 + offset;
        ticks.push_back(world.step(SDL_BUTTON_LMASK));
    }
    world.mouse.x = world.mouse.posX = 700;
    world.step(SDL_BUTTON_LMASK);
    const double release = world.step(0);
    const glm::vec3 moved = world.ecs.getComponent<Component::TransformComponent>(first).position - before;
    if (moved.x == 0.0f || moved.y != 0.0f || moved.z != 0.0f) {
        std::printf("the drag did not move the blocks along x\n");
        return -1.0;
    }
    const double meanMs = mean(ticks);
    const double worst = *std::max_element(ticks.begin(), ticks.end());
    std::printf("editor drag, %d blocks, %zu selected: mean %.4f ms, worst %.4f ms per tick over %d ticks\n",
                kEditorBlocks, world.editor->data().selections.size(), meanMs, worst, kDragTicks);
    std::printf("release of the drag (blocks take the copies' places): %.4f ms\n", release);
    return meanMs;
}

} // namespace

// The game's GL 1.1 draw calls resolve to these (the engine is linked in statically); they count
// and pass on to the driver's own.
extern "C" {
void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    static const auto real = reinterpret_cast<DrawArrays>(dlsym(RTLD_NEXT, "glDrawArrays"));
    ++drawCalls;
    real(mode, first, count);
}

void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    static const auto real = reinterpret_cast<DrawElements>(dlsym(RTLD_NEXT, "glDrawElements"));
    ++drawCalls;
    real(mode, count, type, indices);
}
}

int main()
{
    const Clock::time_point mainStart = Clock::now();
    const double loadAtStart = loadAverage();

    Bench bench;
    bench.engine.game = &bench.game;
    SDL_SetMainReady();
    if (!bench.engine.startUp()) {
        std::fprintf(stderr, "The engine could not start (is there a display?)\n");
        return 1;
    }
    realDrawElementsBaseVertex = __glewDrawElementsBaseVertex;
    __glewDrawElementsBaseVertex = countedDrawElementsBaseVertex;

    // Start-up as the engine runs it, to the first menu frame on screen.
    bench.source.stopTextInput();
    std::printf("--- game start-up ---\n");
    const Clock::time_point initStart = Clock::now();
    bench.game.init();
    const Clock::time_point initEnd = Clock::now();
    bench.source.clock += Game::GameController::kStepMs;
    bench.engine.runFrame();
    glFinish();
    const Clock::time_point firstFrame = Clock::now();
    const double startMs = msBetween(mainStart, firstFrame);
    const double processMs = msSinceProcessStart();
    std::printf("---\n");

    std::vector<double> menuFrames;
    for (int i = 0; i < kMenuFrames; ++i) {
        bench.update(i);
        menuFrames.push_back(bench.frame());
    }

    const Bench::UiPassFigures menuUi = bench.uiPass();

    // Play: the player runs, turns and now and then jumps; a frame every tenth update.
    bench.game.startSinglePlayer();
    std::vector<double> updates;
    std::vector<double> playFrames;
    for (int i = 0; i < kUpdates; ++i) {
        updates.push_back(bench.update(i));
        if (i % kUpdatesPerFrame == kUpdatesPerFrame - 1)
            playFrames.push_back(bench.frame());
    }
    const long calls150 = bench.drawCallsOfOneFrame();

    // Ten times the blocks: still one mesh, so still the same draw calls.
    Game::GameMap& map = bench.game.map();
    while (map.qubeIDs.size() < 1500)
        Game::generateRandomMap(bench.game.world(), map);
    map.rebuildPending = true;
    bench.update(0);
    const size_t blocks = map.qubeIDs.size();
    const long calls1500 = bench.drawCallsOfOneFrame();

    // Back in the main menu, with both kinds of pop-up open over it.
    bench.game.backToMainMenu();
    Game::MenuBuilder& menus = bench.game.menuBuilder();
    menus.createConfirmDialog("File already exists.\nDo you want to overwrite?", "CANCEL", "OVERWRITE", {}, {});
    menus.createOKpopup(6, "Map Saved");
    bench.update(0);
    const Bench::UiPassFigures popupUi = bench.uiPass();

    const auto& player = bench.game.world().getComponent<Component::TransformComponent>(bench.game.playerEntity());
    const double worst = *std::max_element(updates.begin(), updates.end());
    std::printf("load average at start: %.2f, at end: %.2f\n", loadAtStart, loadAverage());
    std::printf("start to first menu frame: %.0f ms from main, %.0f ms from process start (10 ms steps)\n", startMs,
                processMs);
    std::printf("  window and context %.0f ms, game init %.0f ms, first update and frame %.0f ms\n",
                msBetween(mainStart, initStart), msBetween(initStart, initEnd), msBetween(initEnd, firstFrame));
    std::printf("frame at %dx%d: menu mean %.2f ms (%d frames), play mean %.2f ms (%zu frames)\n",
                bench.game.settings().width, bench.game.settings().height, mean(menuFrames), kMenuFrames,
                mean(playFrames), playFrames.size());
    std::printf("draw calls per frame in play: %ld with %d blocks, %ld with %zu blocks\n", calls150, 150, calls1500,
                blocks);
    std::printf("UI pass at %dx%d: main menu %.3f ms, %ld draw calls; with a confirm dialog and an OK pop-up "
                "over it %.3f ms, %ld draw calls (mean of %d passes)\n",
                bench.game.settings().width, bench.game.settings().height, menuUi.ms, menuUi.drawCalls, popupUi.ms,
                popupUi.drawCalls, kUiPasses);
    std::printf("UI pass / menu frame: %.3f\n", menuUi.ms / mean(menuFrames));
    std::printf("player ran to (%.1f, %.1f, %.1f)\n", player.position.x, player.position.y, player.position.z);
    std::printf("update in play, 150 blocks, %d updates: mean %.3f ms, worst %.3f ms\n", kUpdates, mean(updates),
                worst);
    const double editorMs = editorDragMeanMs();
    std::printf("editor tick mean / step: %.4f\n", editorMs / kStepMs);
    std::printf("update worst / step: %.3f\n", worst / kStepMs);
    std::printf("update mean / step: %.4f\n", mean(updates) / kStepMs);

    bench.game.shutdown();
    return 0;
}
