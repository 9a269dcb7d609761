// Editor benchmark: the editor's update while a translate drag moves 200 selected blocks of a
// 1,500-block map, ticked as the game does it (the editor's tick, messages, the bodies' places,
// the refresh). Prints the editor tick's CPU time per tick (mean and worst of the drag) and,
// last, the mean as a share of the 10 ms game step (target: under 0.1).
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editorplayer.h"
#include "game/gamemap/gamemap.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <SDL.h>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kBlocks = 1500;
constexpr int kSelected = 200;
constexpr int kDragTicks = 600;
constexpr double kStepMs = 10.0;

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
        for (int i = 0; i < kBlocks; ++i) {
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

} // namespace

int main()
{
    EditorWorld world;
    world.mouse.x = world.mouse.posX = 640;
    world.mouse.y = world.mouse.posY = 360;
    const ECS::EntityId first = world.editor->data().selections.entityToSelection.begin()->first;
    const glm::vec3 before = world.ecs.getComponent<Component::TransformComponent>(first).position;
    world.step(SDL_BUTTON_LMASK); // press on the x handle
    if (world.editor->data().mode != Game::EditorMode::dragging) {
        std::printf("the drag did not start\n");
        return 1;
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
        return 1;
    }
    double sum = 0.0;
    for (const double t : ticks)
        sum += t;
    const double mean = sum / double(ticks.size());
    const double worst = *std::max_element(ticks.begin(), ticks.end());
    std::printf("editor drag, %d blocks, %zu selected: mean %.4f ms, worst %.4f ms per tick over %d ticks\n",
                kBlocks, world.editor->data().selections.size(), mean, worst, kDragTicks);
    std::printf("release of the drag (blocks take the copies' places): %.4f ms\n", release);
    std::printf("editor tick / game step: %.4f\n", mean / kStepMs);
    return 0;
}
