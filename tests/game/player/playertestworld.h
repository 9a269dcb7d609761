#pragma once
// A physics world with a floor, optional blocks and one player entity driven by scripted input,
// stepped like the game does it: the player's tick, one 10 ms physics step, the ECS refresh.
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/charactercontrollersystem.h"
#include "game/transform/transformcomponent.h"
#include "tests/game/physics/testbodies.h"

#include <memory>
#include <vector>

namespace PlayerTest {

using Game::PlayerMovement::PlayerInput;

class PlayerWorld {
public:
    PlayerWorld()
    {
        ecs.registerComponent<Component::TransformComponent>();
        ecs.registerComponent<Component::CharacterControllerComponent>();
        ecs.registerComponent<Component::CameraModificationComponent>();
        system = ecs.addSystem(Game::CharacterControllerSystem(ecs, [this] { return input; }));
        floor = PhysicsTest::floorPlane(physics, 2000);
        player = ecs.createEntity();
        ecs.addComponent(player, Component::TransformComponent{});
        ecs.addComponent(player, Component::CharacterControllerComponent(player, &physics));
        ecs.addComponent(player, Component::CameraModificationComponent{});
        ecs.refresh();
    }
    ~PlayerWorld()
    {
        ecs.destroyEntity(player);
        ecs.refresh();
    }
    PlayerWorld(const PlayerWorld&) = delete;
    PlayerWorld& operator=(const PlayerWorld&) = delete;

    void addBlock(const glm::vec3& center, const glm::vec3& halfExtents)
    {
        blocks.push_back(PhysicsTest::box(physics, 1000 + static_cast<uint32_t>(blocks.size()), center, halfExtents));
    }

    // Puts the capsule's lowest point `height` above the floor (0: standing on it).
    void placeAt(float x, float y, float height = 0.0f)
    {
        body().placeAt({x, y, body().capsuleHalfHeight() + height});
    }

    void look(float yaw, float pitch = 0.0f)
    {
        camera().yaw = yaw;
        camera().pitch = pitch;
    }

    void tick()
    {
        system->run(0.0f);
        physics.step();
        ecs.refresh();
        input.ropeHeldBefore = input.ropeHeld;
    }
    void run(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            tick();
    }

    Component::CharacterControllerComponent& body() { return ecs.getComponent<Component::CharacterControllerComponent>(player); }
    GamePhysics::CustomCharacterController& controller() { return *body().controller; }
    Component::CameraModificationComponent& camera() { return ecs.getComponent<Component::CameraModificationComponent>(player); }
    glm::vec3 position() { return ecs.getComponent<Component::TransformComponent>(player).position; }
    float groundZ() { return body().capsuleHalfHeight(); }

    GamePhysics::PhysicsWorld physics;
    ECS::EntityManager ecs;
    PlayerInput input;
    ECS::EntityId player = 0;
    Game::CharacterControllerSystem* system = nullptr;

private:
    std::unique_ptr<PhysicsTest::StaticBody> floor;
    std::vector<std::unique_ptr<PhysicsTest::StaticBody>> blocks;
};

} // namespace PlayerTest
