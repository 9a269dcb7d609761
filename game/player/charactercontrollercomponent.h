#pragma once
// The player's body: a capsule ghost object moved by the kinematic controller, the stored
// horizontal velocity, the grappling rope's state and the view angles used for movement.
#include "engine/ecs/component.h"
#include "engine/ecs/ecstypes.h"
#include "game/core/typeids.h"
#include "game/physics/charactercontroller.h"
#include "game/physics/physicsbodyinfo.h"

#include <glm/vec3.hpp>

#include <memory>

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics
class btCapsuleShapeZ;
class btPairCachingGhostObject;

namespace Component {

struct CharacterControllerComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CharacterController;

    static constexpr float capsuleRadius = 0.305f;
    static constexpr float defaultHeight = 1.0f;
    static constexpr float stepHeight = 0.1f;
    static constexpr float skinWidth = 0.005f;
    static constexpr float gravityZ = -15.0f;
    static constexpr float groundSlopeDegrees = 35.0f;
    static constexpr float jumpSlopeDegrees = 45.0f;

    // Creates the capsule and its ghost object at (0, 0, 10) and adds it to `world`.
    CharacterControllerComponent(ECS::EntityId entityID, GamePhysics::PhysicsWorld* world);
    // Takes the ghost out of the world before freeing it.
    ~CharacterControllerComponent() override;
    CharacterControllerComponent(CharacterControllerComponent&&) noexcept;
    CharacterControllerComponent& operator=(CharacterControllerComponent&&) noexcept;

    // Half the capsule's total height: distance from its centre down to its lowest point.
    float capsuleHalfHeight() const;
    // Capsule centre, and a move of it (the rope and teleports use this).
    glm::vec3 position() const;
    void placeAt(const glm::vec3& p);
    // Start of single-player play: no stored velocity, no vertical speed; the place is kept.
    void resetMotion();

    bool enabled = true;
    GamePhysics::PhysicsWorld* physicsWorld = nullptr;
    glm::vec3 anchor{0.0f};
    float ropeLength = 0.0f;
    bool attached = false;
    // x, y: horizontal velocity in units per second, kept from tick to tick; z is 0 after a tick.
    glm::vec3 velocity{0.0f};
    float friction = 0.0f;     // speed lost per tick without input
    float acceleration = 0.0f; // speed gained per tick with input
    float maxSpeed = 9.0f;
    float height = defaultHeight; // capsule and eye height derive from it
    float yaw = 0.0f;   // degrees, copied from the camera each tick
    float pitch = 0.0f; // degrees, copied from the camera each tick

    // Owned physics objects; the controller is declared last so that it (and with it the ghost's
    // membership of the world) goes first.
    std::unique_ptr<GamePhysics::PhysicsBodyInfo> info;
    std::unique_ptr<btCapsuleShapeZ> capsule;
    std::unique_ptr<btPairCachingGhostObject> ghost;
    std::unique_ptr<GamePhysics::CustomCharacterController> controller;
};

} // namespace Component
