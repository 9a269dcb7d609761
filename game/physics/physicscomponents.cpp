#include "game/physics/physicscomponents.h"

#include "engine/core/assert.h"
#include "engine/ecs/entitymanager.h"
#include "game/physics/bulletconvert.h"

#include <BulletCollision/CollisionShapes/btEmptyShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

namespace Component {

PhysicsColliderComponent::PhysicsColliderComponent(btCollisionShape* shape) : shape(shape) {}

PhysicsColliderComponent::PhysicsColliderComponent(std::shared_ptr<btCollisionShape> shape) : shape(std::move(shape)) {}

void RigidBodyDeleter::operator()(btRigidBody* body) const
{
    TX_ASSERT(body->getBroadphaseHandle() == nullptr, "a rigid body is freed while it is still in the physics world");
    delete body;
}

PhysicsRigidBodyComponent::PhysicsRigidBodyComponent(uint32_t entityID, float mass, const glm::vec3& localInertia)
    : shape(std::make_shared<btEmptyShape>()),
      motionState(std::make_unique<GamePhysics::PhysicsMotionState>()),
      mass(mass),
      localInertia(localInertia),
      info(std::make_unique<GamePhysics::PhysicsBodyInfo>(GamePhysics::PhysicsBodyInfo{entityID}))
{
    const btRigidBody::btRigidBodyConstructionInfo construction(mass, motionState.get(), shape.get(),
                                                                GamePhysics::toBt(localInertia));
    body.reset(new btRigidBody(construction));
    body->setUserPointer(info.get());
}

PhysicsRigidBodyComponent::~PhysicsRigidBodyComponent()
{
    // The body goes first: it points at the motion state, the shape and the record.
    body.reset();
}

void PhysicsRigidBodyComponent::setShape(std::shared_ptr<btCollisionShape> newShape)
{
    TX_ASSERT(newShape != nullptr, "a rigid body needs a shape");
    shape = std::move(newShape);
    body->setCollisionShape(shape.get());
    if (!detached) {
        btVector3 inertia = GamePhysics::toBt(localInertia);
        shape->calculateLocalInertia(mass, inertia);
        localInertia = GamePhysics::toGlm(inertia);
        body->setMassProps(mass, inertia);
        body->updateInertiaTensor();
    }
    detached = false;
}

} // namespace Component

namespace GamePhysics {

ContactListenerLookup collisionCallbackLookup(ECS::EntityManager& manager)
{
    return [&manager](uint32_t entity) {
        if (!manager.hasComponent<Component::CollisionCallbackComponent>(entity))
            return ContactListenerBinding{};
        auto& callback = manager.getComponent<Component::CollisionCallbackComponent>(entity);
        return ContactListenerBinding{callback.listener.get(), callback.value};
    };
}

} // namespace GamePhysics
