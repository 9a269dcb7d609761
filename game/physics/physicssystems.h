#pragma once
// The systems that keep rigid bodies in the physics world and in step with their entities'
// transforms, and the handler that replaces an entity's collision shape.
#include "engine/ecs/entitymanager.h"
#include "game/physics/physicsmessages.h"

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics

namespace GamePhysics {

// Entities with a collider and a rigid body: the body enters the world with the collider's shape
// when the entity joins, and leaves it (with a fresh empty shape) when the entity leaves. When
// the system itself goes (the ECS is torn down), the bodies still listed leave the world.
class RigidBodyColliderSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "RigidBodyColliderSystem";
    RigidBodyColliderSystem(ECS::EntityManager& manager, PhysicsWorld& world);
    RigidBodyColliderSystem(const RigidBodyColliderSystem&) = default;
    RigidBodyColliderSystem& operator=(const RigidBodyColliderSystem&) = delete;
    ~RigidBodyColliderSystem() override;

    void processEntity(ECS::EntityId entity, float alpha) override;
    void onEntityAdded(ECS::EntityId entity) override;
    void onEntityRemoved(ECS::EntityId entity) override;

private:
    PhysicsWorld* world;
};

// Entities with a transform and a rigid body: every tick (and when the entity joins) the body's
// world transform becomes the entity's position and rotation; scale lives in the shape.
class PhysicsMotionStateSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "PhysicsMotionStateSystem";
    PhysicsMotionStateSystem(ECS::EntityManager& manager, PhysicsWorld& world);

    void processEntity(ECS::EntityId entity, float alpha) override;
    void onEntityAdded(ECS::EntityId entity) override;

private:
    void placeBody(ECS::EntityId entity);

    PhysicsWorld* world;
};

// Entities with a rigid body and a transform: looks both up and changes nothing. Bodies follow
// their transforms through PhysicsMotionStateSystem; nothing flows back into the transform.
class TransformToCollissionTransformSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "TransformToCollissionTransformSystem";
    explicit TransformToCollissionTransformSystem(ECS::EntityManager& manager);

    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Replaces the shape of the entity's collider and of its body. A body in the world leaves it,
// takes the new shape (and its inertia) and comes back; a body that is not in the world only
// takes the shape and stays out until its entity has both components. A message whose entity
// was destroyed after it was sent is dropped.
class PhysicsColliderChangeMessageSystem : public ECS::MessageSystem<Message::PhysicsColliderShapeChangeMessage> {
public:
    static constexpr const char* systemName = "PhysicsColliderChangeMessageSystem";
    PhysicsColliderChangeMessageSystem(ECS::EntityManager& manager, PhysicsWorld& world);

    void onMessage(const Message::PhysicsColliderShapeChangeMessage& message) override;

private:
    ECS::EntityManager* manager;
    PhysicsWorld* world;
};

} // namespace GamePhysics
