#include "game/physics/physicsworld.h"

#include "engine/core/assert.h"
#include "game/physics/bulletconvert.h"
#include "game/physics/physicsbodyinfo.h"

#include <BulletCollision/BroadphaseCollision/btDbvt.h>
#include <BulletCollision/BroadphaseCollision/btDbvtBroadphase.h>
#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btDefaultCollisionConfiguration.h>
#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletDynamics/ConstraintSolver/btSequentialImpulseConstraintSolver.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>

#include <algorithm>

namespace GamePhysics {

bool PhysicsWorldFilterCallback::needBroadphaseCollision(btBroadphaseProxy* proxy0, btBroadphaseProxy* proxy1) const
{
    const auto* c0 = static_cast<const btCollisionObject*>(proxy0->m_clientObject);
    const auto* c1 = static_cast<const btCollisionObject*>(proxy1->m_clientObject);
    if (c0->isStaticObject() && c1->isStaticObject())
        return false;
    TX_ASSERT(c0->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    TX_ASSERT(c1->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    const auto* info0 = static_cast<const GamePhysics::PhysicsBodyInfo*>(c0->getUserPointer());
    const auto* info1 = static_cast<const GamePhysics::PhysicsBodyInfo*>(c1->getUserPointer());
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

// A ray as the slab test needs it: origin, direction (to - from) and its inverse.
struct SlabRay {
    explicit SlabRay(const btVector3& from, const btVector3& to) : origin(from)
    {
        const btVector3 direction = to - from;
        for (int axis = 0; axis < 3; ++axis)
            inverse[axis] = direction[axis] == 0 ? BT_LARGE_FLOAT : 1 / direction[axis];
    }

    // The fraction along the ray where it enters `box`, or a value above `limit` when it misses
    // the box within [0, limit].
    btScalar entry(const btDbvtVolume& box, btScalar limit) const
    {
        btScalar enter = 0;
        btScalar leave = limit;
        for (int axis = 0; axis < 3; ++axis) {
            btScalar t0 = (box.Mins()[axis] - origin[axis]) * inverse[axis];
            btScalar t1 = (box.Maxs()[axis] - origin[axis]) * inverse[axis];
            if (t0 > t1)
                std::swap(t0, t1);
            enter = std::max(enter, t0);
            leave = std::min(leave, t1);
            if (enter > leave)
                return limit + 1;
        }
        return enter;
    }

    btVector3 origin;
    btVector3 inverse;
};

} // namespace

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
    // Static bodies move only through setWorldTransform below, which refreshes their bounds, so
    // the step need not recompute the bounds of every block: it updates active objects only,
    // and resting blocks settle into the broadphase's optimised tree of fixed objects.
    dynamicsWorld_->setForceUpdateAllAabbs(false);
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
    // The library's own ray test hands every bounding box along the whole ray to the narrow
    // phase. This walks the same broadphase trees nearer boxes first and skips every box that
    // begins beyond the callback's closest hit so far, which gives the same hits (a callback
    // that collects all hits keeps its fraction at 1 and sees every box) at a cost that grows
    // with the depth of the tree rather than with the number of blocks along the ray.
    const btVector3 rayFrom = GamePhysics::toBt(from);
    const btVector3 rayTo = GamePhysics::toBt(to);
    const btTransform fromTransform(btQuaternion::getIdentity(), rayFrom);
    const btTransform toTransform(btQuaternion::getIdentity(), rayTo);
    const GamePhysics::SlabRay ray(rayFrom, rayTo);

    for (const btDbvt& tree : broadphase->m_sets) {
        if (tree.m_root == nullptr)
            continue;
        rayStack.clear();
        rayStack.push_back({tree.m_root, ray.entry(tree.m_root->volume, callback.m_closestHitFraction)});
        while (!rayStack.empty()) {
            const RayStackEntry entry = rayStack.back();
            rayStack.pop_back();
            if (callback.m_closestHitFraction == 0)
                return;
            if (entry.fraction > callback.m_closestHitFraction)
                continue;
            const btDbvtNode* node = entry.node;
            if (node->isleaf()) {
                auto* proxy = static_cast<btBroadphaseProxy*>(node->data);
                auto* object = static_cast<btCollisionObject*>(proxy->m_clientObject);
                if (callback.needsCollision(object->getBroadphaseHandle()))
                    btCollisionWorld::rayTestSingle(fromTransform, toTransform, object, object->getCollisionShape(),
                                                    object->getWorldTransform(), callback);
                continue;
            }
            RayStackEntry near{node->childs[0], ray.entry(node->childs[0]->volume, callback.m_closestHitFraction)};
            RayStackEntry far{node->childs[1], ray.entry(node->childs[1]->volume, callback.m_closestHitFraction)};
            if (far.fraction < near.fraction)
                std::swap(near, far);
            // The nearer child is popped first.
            if (far.fraction <= callback.m_closestHitFraction)
                rayStack.push_back(far);
            if (near.fraction <= callback.m_closestHitFraction)
                rayStack.push_back(near);
        }
    }
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

void PhysicsWorld::setWorldTransform(btCollisionObject& object, const btTransform& transform)
{
    const bool moved = !(object.getWorldTransform() == transform);
    object.setWorldTransform(transform);
    if (moved && contains(&object))
        dynamicsWorld_->updateSingleAabb(&object);
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

} // namespace GamePhysics
