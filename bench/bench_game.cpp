// The whole game, measured: the real engine and game controller in a real 1280 x 720 window (the
// software renderer under Xvfb), the clock and the keys scripted so that every run plays the same.
// Prints
//   - the time from process start (and from main) to the first menu frame on screen;
//   - the mean frame time in the menu and in play (render, swap, and the GPU's work finished) at
//     render scale 100%, and at Auto with the loop clock following the wall clock (and the step
//     Auto settled on);
//   - the time of every pass of a menu and a play frame at 100% and at 50%, the GPU's work
//     finished after each;
//   - the draw calls of one frame in play with the 150-block map and with 1,500 blocks, counted
//     by wrapping the GL draw entry points the game uses (glDrawArrays, glDrawElements,
//     glDrawElementsBaseVertex);
//   - the UI pass alone (every UI layer, GPU work finished) and its draw calls: over the main
//     menu, and over the main menu with a confirm dialog and an OK pop-up open;
//   - the editor's tick while a handle drag moves 200 selected blocks of 1,500, as a share of the
//     step (target: under 0.1);
//   - the update in play on the 150-block map (every system, messages, one physics step,
//     refresh) over 1,000 updates: worst and mean as a share of the 10 ms step (target: mean
//     under 0.05);
//   - a time trial's own work in a step (the course's gate checks and the recording of the
//     step's input and the ghost's pose) over two minutes of running through ten gates: its
//     share of the step (target: under 0.001), the allocations per step (target: 0, counted by
//     the operator new below) and the size of the two-minute record;
//   - and, last, the play frame at render scale 100%.
// Run it from the repository root with a display (scripts/xvfb.sh), on a quiet machine.
#include "bench/support/gamebench.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/camera/cameracomponents.h"
#include "game/course/courserun.h"
#include "game/course/runrecord.h"
#include "game/course/runrecorder.h"
#include "game/editor/editorplayer.h"
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menubuilder.h"
#include "game/menu/optionsscreen.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/resources/renderresources.h"
#include "game/transform/transformcomponent.h"

#include <GL/glew.h>
#include <SDL.h>
#include <dlfcn.h>
#include <glm/gtc/quaternion.hpp>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <memory>
#include <string>
#include <vector>

// Every allocation of the program through operator new (and new[], which comes here), counted
// for the time trial's line.
std::atomic<long> allocationCount{0};

void* operator new(std::size_t size)
{
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

// GCC takes the free below, once inlined after a new, for a mismatch; new above uses malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace {

using namespace BenchSupport;

constexpr int kUpdates = 1000;
constexpr int kUpdatesPerFrame = 10;
constexpr int kMenuFrames = 60;
constexpr int kUiPasses = 200;
constexpr double kStepMs = Game::GameController::kStepMs;

using Samples = std::vector<double>;

constexpr int kPassFrames = 30;
constexpr int kAutoSettleFrames = 200; // Auto measures a second at each step before it moves
constexpr int kAutoFrames = 60;
constexpr const char* kPassNames[] = {"sky",  "entities", "map",       "floor", "highlights", "rope",
                                      "picking", "outline", "composite", "texts", "UI"};
static_assert(std::size(kPassNames) == size_t(Game::FramePass::count));

// Milliseconds per pass of a frame, and the swap, each with its GPU work finished.
struct PassTimes {
    std::array<double, size_t(Game::FramePass::count)> ms{};
    double presentMs = 0.0;
    int frames = 0;
};

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

// From here on the game's glDrawElementsBaseVertex, which GLEW resolves, is counted too.
void countDrawElementsBaseVertex()
{
    realDrawElementsBaseVertex = __glewDrawElementsBaseVertex;
    __glewDrawElementsBaseVertex = countedDrawElementsBaseVertex;
}

struct Bench : GameBench {
    // One update with the player running and turning; answers its milliseconds.
    double update(int index)
    {
        source.keys[SDL_SCANCODE_W] = 1;
        source.keys[SDL_SCANCODE_SPACE] = index % 150 < 2 ? 1 : 0;
        engine.mouse->relX = 3;
        engine.mouse->relY = 0;
        return GameBench::update();
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

    // One update and one frame with the loop clock following the wall clock (at `origin` when it
    // read `from`), as the game's loop sees the frames, so that Auto measures real frame times;
    // answers the frame's milliseconds.
    double realTimeFrame(int index, Clock::time_point from, Uint32 origin)
    {
        update(index);
        engine.lastTicks = origin + Uint32(msSince(from));
        const double ms = frame();
        source.clock = origin + Uint32(msSince(from));
        return ms;
    }

    // The render scale setting: Auto or a step.
    void setRenderScale(int32_t setting) { game.options().setRenderScale(setting); }

    // Frames drawn with the GPU work finished after every pass, each pass's time summed.
    PassTimes passTimes(int frames)
    {
        PassTimes times;
        Clock::time_point mark;
        game.frame().observePasses([&times, &mark](Game::FramePass pass) {
            glFinish();
            const Clock::time_point now = Clock::now();
            times.ms[size_t(pass)] += msBetween(mark, now);
            mark = now;
        });
        glFinish();
        for (int i = 0; i < frames; ++i) {
            update(i);
            mark = Clock::now();
            game.render(0.5f);
            source.swapWindow(engine.window->window);
            glFinish();
            times.presentMs += msSince(mark);
        }
        game.frame().observePasses({});
        times.frames = frames;
        return times;
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
        registerParts();
        createEditor();
        addSelectedBlocks();
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
        const double start = threadCpuMs();
        editor->editorTick(keyboard, mouse);
        const double spent = threadCpuMs() - start;
        ecs.processMessages();
        motion->run(0.0f);
        ecs.refresh();
        return spent;
    }

private:
    void registerParts()
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
    }

    // The editor with its camera looking at the middle of the map from above its edge.
    void createEditor()
    {
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
    }

    // kEditorBlocks blocks scattered and turned every way, the first kSelected of them selected.
    void addSelectedBlocks()
    {
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

// --- The time trial's work in a step ------------------------------------------------------------

constexpr uint32_t kTrialSteps = 2 * 60 * 100; // two minutes of steps
constexpr int kTrialRounds = 5;
constexpr int kTrialCheckpoints = 8;
constexpr float kRunPerStep = 0.09f; // full running speed, 9 units a second

struct TrialFigures {
    double msPerStep = 0.0;  // best of the rounds
    double allocationsPerStep = 0.0;
    size_t recordBytes = 0;
    size_t inputBytes = 0;
    size_t ghostSamples = 0;
};

// A start, kTrialCheckpoints checkpoints every 100 units along +x and a finish beyond two minutes
// of running, each gate a wall across the way.
Game::Course trialCourse()
{
    Game::Course course;
    const glm::vec3 wall(0.5f, 10.0f, 5.0f);
    course.add({Game::GateKind::Start, 0, {{0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, 2.0f}}});
    for (int i = 1; i <= kTrialCheckpoints; ++i)
        course.add({Game::GateKind::Checkpoint, i, {{100.0f * float(i), 0.0f, 1.0f}, wall}});
    course.add({Game::GateKind::Finish, 0, {{kRunPerStep * float(kTrialSteps) + 50.0f, 0.0f, 1.0f}, wall}});
    return course;
}

// Two minutes of steps of a player running along +x and turning the view a little every step,
// through every checkpoint: the run's gate checks and the recorder's step, timed and counted,
// then the record of those two minutes encoded.
TrialFigures measureTrialSteps()
{
    const Game::Course course = trialCourse();
    Game::CourseRun run(course);
    Game::RunRecorder recorder;
    Game::StepInput input;
    input.bits = Game::StepInput::Forward;
    input.dx = 3;
    TrialFigures figures;
    figures.msPerStep = 1e9;
    for (int round = 0; round < kTrialRounds; ++round) {
        run.restart();
        recorder.restart(Game::GhostSample{glm::vec3(0.0f, 0.0f, 1.0f)});
        const long allocationsBefore = allocationCount;
        const Clock::time_point start = Clock::now();
        for (uint32_t i = 0; i < kTrialSteps; ++i) {
            const glm::vec3 from(kRunPerStep * float(i), 0.0f, 1.0f);
            const glm::vec3 to(kRunPerStep * float(i + 1), 0.0f, 1.0f);
            recorder.step(input, Game::GhostSample{to, float(i % 360)});
            run.step(from, to);
        }
        figures.msPerStep = std::min(figures.msPerStep, msSince(start) / kTrialSteps);
        figures.allocationsPerStep = double(allocationCount - allocationsBefore) / kTrialSteps;
    }
    if (run.checkpointsPassed() != size_t(kTrialCheckpoints))
        std::printf("the trial's run passed %zu of %d checkpoints\n", run.checkpointsPassed(), kTrialCheckpoints);
    const std::optional<Game::RunRecord> record =
        recorder.record(1, Game::RunTimes{kTrialSteps, run.splits()}, Game::CameraMath::LookSettings{});
    if (record) {
        figures.recordBytes = Game::RunRecordFile::encode(*record).size();
        figures.inputBytes = record->input.size();
        figures.ghostSamples = record->ghost.size();
    }
    return figures;
}

struct StartUpFigures {
    double fromMainMs = 0.0;
    double fromProcessMs = 0.0;
    double windowMs = 0.0; // main to the game's init: the window and its context
    double initMs = 0.0;
    double firstFrameMs = 0.0; // the first update and frame
};

// Start-up as the engine runs it, to the first menu frame on screen, with the game's start-up
// lines between two markers. `mainStart` is when main began.
StartUpFigures measureStartUp(Bench& bench, Clock::time_point mainStart)
{
    bench.source.stopTextInput();
    std::printf("--- game start-up ---\n");
    const Clock::time_point initStart = Clock::now();
    bench.game.init();
    const Clock::time_point initEnd = Clock::now();
    bench.source.clock += Game::GameController::kStepMs;
    bench.engine.runFrame();
    glFinish();
    const Clock::time_point firstFrame = Clock::now();
    StartUpFigures figures;
    figures.fromMainMs = msBetween(mainStart, firstFrame);
    figures.fromProcessMs = msSinceProcessStart();
    figures.windowMs = msBetween(mainStart, initStart);
    figures.initMs = msBetween(initStart, initEnd);
    figures.firstFrameMs = msBetween(initEnd, firstFrame);
    std::printf("---\n");
    return figures;
}

// One line: the mean time of every pass that took place, and the sum.
void printPassTimes(const char* what, const PassTimes& times)
{
    const double frames = std::max(times.frames, 1);
    double total = times.presentMs / frames;
    std::printf("%s passes (GPU work finished after each, mean of %d frames):", what, times.frames);
    for (size_t i = 0; i < times.ms.size(); ++i) {
        if (times.ms[i] <= 0.0)
            continue;
        std::printf(" %s %.2f,", kPassNames[i], times.ms[i] / frames);
        total += times.ms[i] / frames;
    }
    std::printf(" swap %.2f; sum %.2f ms\n", times.presentMs / frames, total);
}

struct AutoFigures {
    Samples frames;
    int32_t percent = 100; // where Auto settled
};

// Frames at Auto in the present scene: first until it settles, then measured.
AutoFigures measureAuto(Bench& bench)
{
    bench.setRenderScale(Engine::kRenderScaleAuto);
    const Clock::time_point from = Clock::now();
    const Uint32 origin = bench.source.clock;
    for (int i = 0; i < kAutoSettleFrames; ++i)
        bench.realTimeFrame(i, from, origin);
    AutoFigures figures;
    for (int i = 0; i < kAutoFrames; ++i)
        figures.frames.push_back(bench.realTimeFrame(i, from, origin));
    figures.percent = bench.game.resources().sceneScale();
    bench.setRenderScale(100);
    return figures;
}

// The passes with the scene at 50%, the step Auto takes last on a slow machine.
PassTimes halfScalePassTimes(Bench& bench)
{
    bench.setRenderScale(50);
    const PassTimes times = bench.passTimes(kPassFrames);
    bench.setRenderScale(100);
    return times;
}

struct MenuFigures {
    AutoFigures automatic;
    PassTimes passes;
    PassTimes halfScalePasses;
    Samples frames;
    Bench::UiPassFigures ui;
};

// Frames in the main menu, each after an update, and the UI pass over it.
MenuFigures measureMenu(Bench& bench)
{
    MenuFigures menu;
    for (int i = 0; i < kMenuFrames; ++i) {
        bench.update(i);
        menu.frames.push_back(bench.frame());
    }
    menu.passes = bench.passTimes(kPassFrames);
    menu.halfScalePasses = halfScalePassTimes(bench);
    menu.ui = bench.uiPass();
    menu.automatic = measureAuto(bench);
    return menu;
}

struct PlayFigures {
    AutoFigures automatic;
    PassTimes passes;
    PassTimes halfScalePasses;
    Samples updates;
    Samples frames;
    long drawCalls = 0; // of one frame
};

// Play on the 150-block map: the player runs, turns and now and then jumps; a frame every tenth
// update.
PlayFigures measurePlay(Bench& bench)
{
    bench.game.startSinglePlayer();
    PlayFigures play;
    for (int i = 0; i < kUpdates; ++i) {
        play.updates.push_back(bench.update(i));
        if (i % kUpdatesPerFrame == kUpdatesPerFrame - 1)
            play.frames.push_back(bench.frame());
    }
    play.passes = bench.passTimes(kPassFrames);
    play.halfScalePasses = halfScalePassTimes(bench);
    play.drawCalls = bench.drawCallsOfOneFrame();
    play.automatic = measureAuto(bench);
    return play;
}

struct LargeMapFigures {
    size_t blocks = 0;
    long drawCalls = 0; // of one frame
};

// Ten times the blocks: still one mesh, so still the same draw calls.
LargeMapFigures measureLargeMapDrawCalls(Bench& bench)
{
    Game::GameMap& map = bench.game.map();
    while (map.qubeIDs.size() < 1500)
        Game::generateRandomMap(bench.game.world(), map);
    map.rebuildPending = true;
    bench.update(0);
    LargeMapFigures figures;
    figures.blocks = map.qubeIDs.size();
    figures.drawCalls = bench.drawCallsOfOneFrame();
    return figures;
}

// The UI pass back in the main menu, with both kinds of pop-up open over it.
Bench::UiPassFigures measurePopupUi(Bench& bench)
{
    bench.game.backToMainMenu();
    Game::MenuBuilder& menus = bench.game.menuBuilder();
    menus.createConfirmDialog("File already exists.\nDo you want to overwrite?", "CANCEL", "OVERWRITE", {}, {});
    menus.createOKpopup(6, "Map Saved");
    bench.update(0);
    return bench.uiPass();
}

struct GameFigures {
    StartUpFigures startUp;
    MenuFigures menu;
    PlayFigures play;
    LargeMapFigures largeMap;
    Bench::UiPassFigures popupUi;
};

void printGameFigures(Bench& bench, const GameFigures& figures)
{
    const StartUpFigures& startUp = figures.startUp;
    const int width = bench.game.settings().width;
    const int height = bench.game.settings().height;
    std::printf("start to first menu frame: %.0f ms from main, %.0f ms from process start (10 ms steps)\n",
                startUp.fromMainMs, startUp.fromProcessMs);
    std::printf("  window and context %.0f ms, game init %.0f ms, first update and frame %.0f ms\n", startUp.windowMs,
                startUp.initMs, startUp.firstFrameMs);
    std::printf("frame at %dx%d, render scale 100%%: menu mean %.2f ms (%d frames), play mean %.2f ms (%zu frames)\n", width, height,
                mean(figures.menu.frames), kMenuFrames, mean(figures.play.frames), figures.play.frames.size());
    std::printf("frame at %dx%d, render scale Auto: menu mean %.2f ms at %d%%, play mean %.2f ms at %d%% "
                "(%d frames each, after %d to settle)\n",
                width, height, mean(figures.menu.automatic.frames), figures.menu.automatic.percent,
                mean(figures.play.automatic.frames), figures.play.automatic.percent, kAutoFrames, kAutoSettleFrames);
    printPassTimes("menu frame", figures.menu.passes);
    printPassTimes("play frame", figures.play.passes);
    printPassTimes("menu frame at 50%", figures.menu.halfScalePasses);
    printPassTimes("play frame at 50%", figures.play.halfScalePasses);
    std::printf("draw calls per frame in play: %ld with %d blocks, %ld with %zu blocks\n", figures.play.drawCalls, 150,
                figures.largeMap.drawCalls, figures.largeMap.blocks);
    const Bench::UiPassFigures& menuUi = figures.menu.ui;
    std::printf("UI pass at %dx%d: main menu %.3f ms, %ld draw calls; with a confirm dialog and an OK pop-up "
                "over it %.3f ms, %ld draw calls (mean of %d passes)\n",
                width, height, menuUi.ms, menuUi.drawCalls, figures.popupUi.ms, figures.popupUi.drawCalls, kUiPasses);
    std::printf("UI pass / menu frame: %.3f\n", menuUi.ms / mean(figures.menu.frames));
    const auto& player = bench.game.world().getComponent<Component::TransformComponent>(bench.game.playerEntity());
    std::printf("player ran to (%.1f, %.1f, %.1f)\n", player.position.x, player.position.y, player.position.z);
    std::printf("update in play, 150 blocks, %d updates: mean %.3f ms, worst %.3f ms\n", kUpdates,
                mean(figures.play.updates), worst(figures.play.updates));
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
    if (!bench.start())
        return 1;
    countDrawElementsBaseVertex();

    GameFigures figures;
    figures.startUp = measureStartUp(bench, mainStart);
    bench.setRenderScale(100);
    figures.menu = measureMenu(bench);
    figures.play = measurePlay(bench);
    figures.largeMap = measureLargeMapDrawCalls(bench);
    figures.popupUi = measurePopupUi(bench);

    std::printf("load average at start: %.2f, at end: %.2f\n", loadAtStart, loadAverage());
    printGameFigures(bench, figures);
    const double editorMs = editorDragMeanMs();
    const TrialFigures trial = measureTrialSteps();
    std::printf("time trial per step (gate checks, input and ghost recording), best of %d rounds of %u steps: "
                "%.4f us, %.7f of the step (target under 0.001), %.3f allocations per step (target 0); a two-minute "
                "record: %zu bytes (input %zu bytes, %zu ghost samples)\n",
                kTrialRounds, kTrialSteps, trial.msPerStep * 1000.0, trial.msPerStep / kStepMs, trial.allocationsPerStep,
                trial.recordBytes, trial.inputBytes, trial.ghostSamples);
    const Samples& updates = figures.play.updates;
    std::printf("editor tick mean / step: %.4f\n", editorMs / kStepMs);
    std::printf("update worst / step: %.3f\n", worst(updates) / kStepMs);
    std::printf("update mean / step: %.4f\n", mean(updates) / kStepMs);
    std::printf("play frame at %dx%d, render scale 100%%: %.2f ms\n", bench.game.settings().width,
                bench.game.settings().height, mean(figures.play.frames));

    bench.game.shutdown();
    return 0;
}
