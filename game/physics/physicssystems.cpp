#include "game/physics/physicssystems.h"

#include "engine/core/assert.h"
#include "game/physics/bulletconvert.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicsworld.h"
#include "game/transform/transformcomponent.h"

#include <BulletCollision/CollisionShapes/btEmptyShape.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

using Component::PhysicsColliderComponent;
using Component::PhysicsRigidBodyComponent;
using Component::TransformComponent;

namespace GamePhysics {

// --- RigidBodyColliderSystem ---------------------------------------------------------------------

RigidBodyColliderSystem::RigidBodyColliderSystem(ECS::EntityManager& manager, PhysicsWorld& world)
    : ECS::ComponentSystem(manager, {PhysicsRigidBodyComponent::_cType, PhysicsColliderComponent::_cType}),
      world(&world)
{
}

RigidBodyColliderSystem::~RigidBodyColliderSystem()
{
    // The ECS drops its systems before its components: take the listed bodies out of the world
    // first, so none is freed while in it. A body the world already let go of (the world went
    // first) has no broadphase handle and the world is not touched.
    for (const ECS::EntityId entity : getEntities()) {
        if (entity == ECS::InvalidEntity || !manager->hasComponent<PhysicsRigidBodyComponent>(entity))
            continue;
        btRigidBody* body = manager->getComponent<PhysicsRigidBodyComponent>(entity).body.get();
        if (body != nullptr && body->getBroadphaseHandle() != nullptr)
            world->removeRigidBody(body);
    }
}

void RigidBodyColliderSystem::processEntity(ECS::EntityId, float) {}

void RigidBodyColliderSystem::onEntityAdded(ECS::EntityId entity)
{
    auto& rigidBody = manager->getComponent<PhysicsRigidBodyComponent>(entity);
    rigidBody.setShape(manager->getComponent<PhysicsColliderComponent>(entity).shape);
    world->addRigidBody(rigidBody.body.get());
}

void RigidBodyColliderSystem::onEntityRemoved(ECS::EntityId entity)
{
    auto& rigidBody = manager->getComponent<PhysicsRigidBodyComponent>(entity);
    world->removeRigidBody(rigidBody.body.get());
    rigidBody.shape = std::make_shared<btEmptyShape>();
    rigidBody.detached = true;
    rigidBody.body->setCollisionShape(rigidBody.shape.get());
}

// --- PhysicsMotionStateSystem --------------------------------------------------------------------

PhysicsMotionStateSystem::PhysicsMotionStateSystem(ECS::EntityManager& manager, PhysicsWorld& world)
    : ECS::ComponentSystem(manager, {TransformComponent::_cType, PhysicsRigidBodyComponent::_cType}), world(&world)
{
}

void PhysicsMotionStateSystem::placeBody(ECS::EntityId entity)
{
    const auto& transform = manager->getComponent<TransformComponent>(entity);
    btRigidBody& body = *manager->getComponent<PhysicsRigidBodyComponent>(entity).body;
    world->setWorldTransform(body, btTransform(toBt(transform.rotation), toBt(transform.position)));
}

void PhysicsMotionStateSystem::processEntity(ECS::EntityId entity, float)
{
    placeBody(entity);
}

void PhysicsMotionStateSystem::onEntityAdded(ECS::EntityId entity)
{
    placeBody(entity);
}

// --- TransformToCollissionTransformSystem --------------------------------------------------------

TransformToCollissionTransformSystem::TransformToCollissionTransformSystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {PhysicsRigidBodyComponent::_cType, TransformComponent::_cType})
{
}

void TransformToCollissionTransformSystem::processEntity(ECS::EntityId entity, float)
{
    manager->getComponent<PhysicsRigidBodyComponent>(entity);
    manager->getComponent<TransformComponent>(entity);
}

// --- PhysicsColliderChangeMessageSystem ----------------------------------------------------------

PhysicsColliderChangeMessageSystem::PhysicsColliderChangeMessageSystem(ECS::EntityManager& manager, PhysicsWorld& world)
    : manager(&manager), world(&world)
{
}

void PhysicsColliderChangeMessageSystem::onMessage(const Message::PhysicsColliderShapeChangeMessage& message)
{
    TX_ASSERT(message.shape != nullptr, "a shape change without a shape");
    if (!manager->isCurrent(message))
        return;
    const ECS::EntityId entity = message.entityID;
    if (manager->hasComponent<PhysicsColliderComponent>(entity))
        manager->getComponent<PhysicsColliderComponent>(entity).shape = message.shape;
    if (!manager->hasComponent<PhysicsRigidBodyComponent>(entity))
        return;

    auto& rigidBody = manager->getComponent<PhysicsRigidBodyComponent>(entity);
    btRigidBody* body = rigidBody.body.get();
    if (!world->contains(body)) {
        // Not in the world: only the shape changes; the body joins when its entity has both
        // components, which is RigidBodyColliderSystem's decision alone.
        rigidBody.shape = message.shape;
        body->setCollisionShape(rigidBody.shape.get());
        return;
    }
    world->removeRigidBody(body);
    rigidBody.setShape(message.shape);
    world->addRigidBody(body);
}

} // namespace GamePhysics
