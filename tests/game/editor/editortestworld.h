#pragma once
// A world set up as the game sets up the editor's part of it: blocks with colliders in a physics
// world, the shape-change handler, the editor entity, the editor camera looking along +y from
// (0, -20, 0), and a player with a character controller. Input is scripted step by step and a
// fake host records what the editor asks of the UI and the window.
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/camera/cameracomponents.h"
#include "game/editor/editorplayer.h"
#include "game/editor/editorview.h"
#include "game/gamemap/gamemap.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <SDL.h>
#include <glm/gtc/quaternion.hpp>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace EditorTest {

// A rotation about no main axis, for blocks that are turned every way at once.
inline const glm::quat kTurned = glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3)));

class FakeHost : public Game::EditorHost {
public:
    bool modal = false;
    std::uint32_t handleUnderPointer = 0;
    std::vector<std::string> messages;
    int pauseMenus = 0;
    bool help = false;
    bool box = false; // the selection box is on show

    bool modalOpen() override { return modal; }
    void openPauseMenu() override { ++pauseMenus; }
    void resumeFromPause() override {}
    void clearTopBar() override {}
    void buildTopBar() override {}
    void closeAddDropdown() override {}
    void showTool(std::uint32_t) override {}
    void showSnapping(bool) override {}
    void toggleHelp() override { help = !help; }
    bool helpShown() override { return help; }
    void showSelectionBox(glm::vec2, glm::vec2) override { box = true; }
    void hideSelectionBox() override { box = false; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::uint32_t pickHandle(int, int) override { return handleUnderPointer; }
    void windowSize(int& width, int& height) override { width = 1280, height = 720; }
    void warpPointer(int, int) override {}
    void grabPointer(bool) override {}
    void capturePointer(bool) override {}
};

struct World {
    static constexpr int kCentreX = 640;
    static constexpr int kCentreY = 360;

    GamePhysics::PhysicsWorld physics;
    Game::GameMap map;
    ECS::EntityManager ecs;
    Game::GameStateRecord state{Game::GameStateRecord::editor, false, true, false};
    FakeHost host;
    std::vector<Uint8> liveKeys = std::vector<Uint8>(SDL_NUM_SCANCODES, 0);
    Engine::KeyboardState keyboard{liveKeys.data(), SDL_NUM_SCANCODES};
    Engine::MouseState mouse;
    Game::EditorPlayer::Entities ids;
    std::unique_ptr<Game::EditorPlayer> editor;

    World()
    {
        registerComponents<Component::TransformComponent, Component::PhysicsColliderComponent,
                           Component::PhysicsRigidBodyComponent, Component::EditorDataComponent,
                           Component::CameraComponent, Component::CameraModificationComponent,
                           Component::CameraMouseMovementComponent, Component::CameraMouseShiftComponent,
                           Component::CameraMouseZoomMoveComponent, Component::FreeCamMovementComponent,
                           Component::CameraZclampComponent, Component::CharacterControllerComponent>();
        ecs.registerMessage<Message::PhysicsColliderShapeChangeMessage>();
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, physics));
        motion = ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, physics));
        ecs.addMessageSystem(GamePhysics::PhysicsColliderChangeMessageSystem(ecs, physics));

        ids.editor = ecs.createEntity();
        ecs.addComponent(ids.editor, Component::EditorDataComponent{});
        ids.editorCamera = ecs.createEntity();
        Game::CameraData camera;
        camera.eye = {0, -20, 0};
        camera.center = {0, -19, 0};
        camera.up = {0, 0, 1};
        ecs.addComponent(ids.editorCamera, Component::CameraComponent(camera));
        Component::TransformComponent cameraPlace;
        cameraPlace.position = camera.eye;
        ecs.addComponent(ids.editorCamera, cameraPlace);
        ecs.addComponent(ids.editorCamera, Component::CameraModificationComponent{});
        ecs.addComponent(ids.editorCamera, Component::CameraMouseMovementComponent{});
        ecs.addComponent(ids.editorCamera, Component::FreeCamMovementComponent{});
        ecs.addComponent(ids.editorCamera, Component::CameraMouseZoomMoveComponent{});
        ecs.addComponent(ids.editorCamera, Component::CameraZclampComponent{});
        ids.player = ecs.createEntity();
        ecs.addComponent(ids.player, Component::TransformComponent{});
        Component::CharacterControllerComponent controller(ids.player, &physics);
        controller.enabled = false;
        ecs.addComponent(ids.player, std::move(controller));
        ecs.addComponent(ids.player, Component::CameraModificationComponent{});
        ecs.addComponent(ids.player, Component::CameraMouseMovementComponent{});
        ecs.refresh();
        // The camera data's centre is a point in front of the eye, as the frame leaves it.
        ecs.getComponent<Component::CameraComponent>(ids.editorCamera).current = camera;
        editor = std::make_unique<Game::EditorPlayer>(ecs, map, physics, ids, state, host);
        mouse.x = mouse.posX = kCentreX;
        mouse.y = mouse.posY = kCentreY;
    }

    ~World()
    {
        editor.reset();
        map.clear(ecs);
        ecs.destroyAllEntities();
        ecs.refresh();
    }

    ECS::EntityId addBlock(glm::vec3 position, glm::vec3 scale = glm::vec3(1.0f),
                           glm::quat rotation = glm::quat(1, 0, 0, 0))
    {
        Component::TransformComponent t;
        t.position = position;
        t.scale = scale;
        t.rotation = rotation;
        const ECS::EntityId id = map.addQube(ecs, t);
        ecs.refresh();
        return id;
    }

    // One update: input of the step, the editor's tick, messages, the bodies' places, the refresh.
    void step(std::initializer_list<SDL_Scancode> keysDown = {}, Uint32 buttons = 0)
    {
        std::fill(liveKeys.begin(), liveKeys.end(), 0);
        for (const SDL_Scancode key : keysDown)
            liveKeys[key] = 1;
        keyboard.refresh();
        mouse.previousButtons = mouse.buttons;
        mouse.buttons = buttons;
        editor->editorTick(keyboard, mouse);
        ecs.processMessages();
        motion->run(0.0f);
        ecs.refresh();
    }

    // Pointer at window pixels (x, y), y counted up from the bottom edge.
    void pointAt(int x, int y)
    {
        mouse.x = mouse.posX = x;
        mouse.posY = y;
        mouse.y = 720 - y;
    }

    // Press and release the left button at the pointer (then one quiet step).
    void click(std::initializer_list<SDL_Scancode> keysDown = {})
    {
        step(keysDown, SDL_BUTTON_LMASK);
        step(keysDown, 0);
        step();
    }

    void press(std::initializer_list<SDL_Scancode> keysDown)
    {
        step(keysDown);
        step();
    }

    Component::EditorDataComponent& data() { return ecs.getComponent<Component::EditorDataComponent>(ids.editor); }
    Component::TransformComponent& transform(ECS::EntityId id)
    {
        return ecs.getComponent<Component::TransformComponent>(id);
    }
    // Half extents of the box that the block's body collides with.
    glm::vec3 colliderHalfExtents(ECS::EntityId id)
    {
        const auto& body = ecs.getComponent<Component::PhysicsRigidBodyComponent>(id);
        const auto* box = static_cast<const btBoxShape*>(body.body->getCollisionShape());
        const btVector3 half = box->getHalfExtentsWithMargin();
        return {half.x(), half.y(), half.z()};
    }

    // Pointer at the pixel where the editor camera shows `point`.
    void pointAt(const glm::vec3& point)
    {
        const Game::CameraData& camera = ecs.getComponent<Component::CameraComponent>(ids.editorCamera).current;
        const glm::vec2 pixel = *Game::EditorView::projectToWindow(camera, camera.eye, point);
        pointAt(int(std::lround(pixel.x)), int(std::lround(pixel.y)));
    }

    std::vector<ECS::EntityId> selectedBlocks()
    {
        std::vector<ECS::EntityId> blocks;
        for (const auto& pair : data().selections.entityToSelection)
            blocks.push_back(pair.first);
        return blocks;
    }
    void undo() { press({SDL_SCANCODE_LCTRL, SDL_SCANCODE_Z}); }
    void redo() { press({SDL_SCANCODE_LCTRL, SDL_SCANCODE_Y}); }

    // Presses handle `handle` with the pointer at `from`, moves the pointer to `to` and releases
    // it there, holding `keys` throughout.
    void dragHandle(std::uint32_t handle, const glm::vec3& from, const glm::vec3& to,
                    std::initializer_list<SDL_Scancode> keys = {})
    {
        host.handleUnderPointer = handle;
        pointAt(from);
        step(keys, SDL_BUTTON_LMASK);
        host.handleUnderPointer = 0;
        pointAt(to);
        step(keys, SDL_BUTTON_LMASK);
        step(keys, 0);
        step();
    }

private:
    template <typename... Components>
    void registerComponents()
    {
        (ecs.registerComponent<Components>(), ...);
    }

    GamePhysics::PhysicsMotionStateSystem* motion = nullptr;
};

} // namespace EditorTest
