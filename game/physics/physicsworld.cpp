#include "game/physics/physicsworld.h"

#include "engine/core/assert.h"
#include "game/physics/bulletconvert.h"
#include "game/physics/physicsbodyinfo.h"

#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

namespace GamePhysics {

bool PhysicsWorldFilterCallback::needBroadphaseCollision(btBroadphaseProxy* proxy0, btBroadphaseProxy* proxy1) const
{
    const auto* c0 = static_cast<const btCollisionObject*>(proxy0->m_clientObject);
    const auto* c1 = static_cast<const btCollisionObject*>(proxy1->m_clientObject);
    if (c0->isStaticObject() && c1->isStaticObject())
        return false;
    TX_ASSERT(c0->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    TX_ASSERT(c1->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    const auto* info0 = static_cast<const PhysicsBodyInfo*>(c0->getUserPointer());
    const auto* info1 = static_cast<const PhysicsBodyInfo*>(c1->getUserPointer());
    return groupsAccept(info0->group, info0->mask, info1->group, info1->mask);
}

namespace {

btDefaultCollisionConstructionInfo collisionConstructionInfo()
{
    btDefaultCollisionConstructionInfo info;
    info.m_persistentManifoldPool = nullptr;
    info.m_collisionAlgorithmPool = nullptr;
    info.m_defaultMaxPersistentManifoldPoolSize = 4096;
    info.m_defaultMaxCollisionAlgorithmPoolSize = 4096;
    info.m_customCollisionAlgorithmMaxElementSize = 0;
    info.m_useEpaPenetrationAlgorithm = true;
    return info;
}

} // namespace
} // namespace GamePhysics

PhysicsWorld::PhysicsWorld()
    : ghostPairCallback(std::make_unique<btGhostPairCallback>()),
      filterCallback(std::make_unique<GamePhysics::PhysicsWorldFilterCallback>()),
      broadphase(std::make_unique<btDbvtBroadphase>()),
      collisionConfiguration(std::make_unique<btDefaultCollisionConfiguration>(GamePhysics::collisionConstructionInfo())),
      dispatcher(std::make_unique<btCollisionDispatcher>(collisionConfiguration.get())),
      solver(std::make_unique<btSequentialImpulseConstraintSolver>()),
      dynamicsWorld_(std::make_unique<btDiscreteDynamicsWorld>(dispatcher.get(), broadphase.get(), solver.get(),
                                                               collisionConfiguration.get()))
{
    broadphase->getOverlappingPairCache()->setInternalGhostPairCallback(ghostPairCallback.get());
    dynamicsWorld_->setGravity(btVector3(0, 0, gravityZ));
    broadphase->getOverlappingPairCache()->setOverlapFilterCallback(filterCallback.get());
}

PhysicsWorld::~PhysicsWorld()
{
    dynamicsWorld_->setDebugDrawer(nullptr);
    btCollisionObjectArray& objects = dynamicsWorld_->getCollisionObjectArray();
    while (objects.size() > 0)
        removeCollisionObject(objects[objects.size() - 1]);
    contacts_.clear();
}

void PhysicsWorld::rayTest(const glm::vec3& from, const glm::vec3& to,
                           btCollisionWorld::RayResultCallback& callback) const
{
    dynamicsWorld_->rayTest(GamePhysics::toBt(from), GamePhysics::toBt(to), callback);
}

void PhysicsWorld::addRigidBody(btRigidBody* body)
{
    TX_ASSERT(!contains(body), "a body is added to the physics world twice");
    dynamicsWorld_->addRigidBody(body);
}

void PhysicsWorld::removeRigidBody(btRigidBody* body)
{
    TX_ASSERT(contains(body), "a body is removed from the physics world that is not in it");
    contacts_.forgetBody(body);
    dynamicsWorld_->removeRigidBody(body);
}

void PhysicsWorld::addCollisionObject(btCollisionObject* object, int proxyGroup, int proxyMask)
{
    TX_ASSERT(!contains(object), "an object is added to the physics world twice");
    dynamicsWorld_->addCollisionObject(object, proxyGroup, proxyMask);
}

void PhysicsWorld::removeCollisionObject(btCollisionObject* object)
{
    TX_ASSERT(contains(object), "an object is removed from the physics world that is not in it");
    contacts_.forgetBody(object);
    // The dynamics world's removal also takes rigid bodies off its list of simulated bodies.
    dynamicsWorld_->removeCollisionObject(object);
}

bool PhysicsWorld::contains(const btCollisionObject* object) const
{
    const btCollisionObjectArray& objects = dynamicsWorld_->getCollisionObjectArray();
    if (object->getBroadphaseHandle() == nullptr)
        return false;
    const int index = object->getWorldArrayIndex();
    return index >= 0 && index < objects.size() && objects[index] == object;
}

void PhysicsWorld::step(const GamePhysics::ContactListenerLookup& listeners)
{
    // Zero sub-steps: the library takes exactly one step of stepSeconds, whatever the fixed step.
    dynamicsWorld_->stepSimulation(stepSeconds, 0, fixedStepSeconds);
    contacts_.update(*dispatcher, listeners);
}

void PhysicsWorld::setDebugDrawer(btIDebugDraw* drawer)
{
    dynamicsWorld_->setDebugDrawer(drawer);
}

void PhysicsWorld::drawDebugView()
{
    if (dynamicsWorld_->getDebugDrawer() != nullptr)
        dynamicsWorld_->debugDrawWorld();
}
