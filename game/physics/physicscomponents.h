#pragma once
// The physics components: a collider holds an entity's collision shape, a rigid body owns the
// library body that puts the shape into the world. A body is in the world exactly while its
// entity has both (RigidBodyColliderSystem). The marker and collision-callback components are
// registered for completeness; the game attaches neither.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"
#include "game/physics/contacttracker.h"
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicsmotionstate.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <memory>

class btCollisionShape;
class btRigidBody;

namespace ECS {
class EntityManager;
}

namespace Component {

struct PhysicsComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Physics;
};

struct PhysicsColliderComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::PhysicsCollider;

    // Takes ownership of `shape`.
    explicit PhysicsColliderComponent(btCollisionShape* shape);
    explicit PhysicsColliderComponent(std::shared_ptr<btCollisionShape> shape);

    // Shared with the rigid body that uses it and with messages that carry it.
    std::shared_ptr<btCollisionShape> shape;
};

// Frees a body; a body still in a physics world must never be freed, so that is a programming error.
struct RigidBodyDeleter {
    void operator()(btRigidBody* body) const;
};

struct PhysicsRigidBodyComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::PhysicsRigidBody;
    static constexpr uint32_t kindOther = 0;
    static constexpr uint32_t kindMapBlock = 1;

    // A detached body with an empty shape, identity transform and a PhysicsBodyInfo
    // {entityID, all groups, all masks} as its user pointer.
    PhysicsRigidBodyComponent(uint32_t entityID, float mass, const glm::vec3& localInertia);
    ~PhysicsRigidBodyComponent() override;
    PhysicsRigidBodyComponent(PhysicsRigidBodyComponent&&) = default;
    PhysicsRigidBodyComponent& operator=(PhysicsRigidBodyComponent&&) = default;

    // Gives the body `newShape`. A body that already had a real shape (not detached) takes the
    // new shape's inertia for its mass; the first shape keeps the inertia given at construction.
    // Clears `detached`. Does not add the body to the world.
    void setShape(std::shared_ptr<btCollisionShape> newShape);

    std::unique_ptr<btRigidBody, RigidBodyDeleter> body;
    std::shared_ptr<btCollisionShape> shape;
    std::unique_ptr<GamePhysics::PhysicsMotionState> motionState;
    bool detached = true; // true while the body has no real shape and is not in the world
    float mass = 0.0f;
    glm::vec3 localInertia{0.0f};
    std::unique_ptr<GamePhysics::PhysicsBodyInfo> info;
    uint32_t kind = kindOther;
};

// Calls its listener for the contacts of its entity's body (when that body is listed first).
struct CollisionCallbackComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CollisionCallback;

    uint32_t value = 0;
    std::unique_ptr<GamePhysics::ContactListener> listener;
};

} // namespace Component

namespace GamePhysics {

// Finds listeners through the entities' CollisionCallbackComponent, for PhysicsWorld::step.
ContactListenerLookup collisionCallbackLookup(ECS::EntityManager& manager);

} // namespace GamePhysics
