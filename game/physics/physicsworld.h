#pragma once
// The physics world: the library's discrete dynamics world with the objects it needs around it,
// the game's broadphase filter, one 10 ms step per game update and contact tracking after it.
// The game uses it for static colliders, the character controller's sweeps and ray casts.
#include "game/physics/contacttracker.h"

#include <BulletCollision/BroadphaseCollision/btOverlappingPairCache.h>
#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <glm/vec3.hpp>

#include <memory>
#include <vector>

struct btDbvtBroadphase;
struct btDbvtNode;
class btDefaultCollisionConfiguration;
class btCollisionDispatcher;
class btSequentialImpulseConstraintSolver;
class btDiscreteDynamicsWorld;
class btGhostPairCallback;
class btIDebugDraw;
class btRigidBody;

namespace GamePhysics {

// Broadphase filter: static objects never pair with each other; every other pair is decided by
// the groups and masks of the objects' PhysicsBodyInfo records (the library's proxy bits are not
// consulted).
struct PhysicsWorldFilterCallback : public btOverlapFilterCallback {
    bool needBroadphaseCollision(btBroadphaseProxy* proxy0, btBroadphaseProxy* proxy1) const override;
};

class PhysicsWorld {
public:
    static constexpr float stepSeconds = 0.01f;      // one game update
    static constexpr float fixedStepSeconds = 1.0f / 60.0f; // unused with zero sub-steps
    static constexpr float gravityZ = -10.0f;        // the world is z-up

    PhysicsWorld();
    // Objects still in the world are taken out (not freed: their owners free them).
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Casts a ray through the world: every object whose bounding box the ray enters before the
    // callback's closest hit so far, and that the callback's needsCollision accepts, is tested;
    // the callback receives the hits as with the library's own ray test.
    void rayTest(const glm::vec3& from, const glm::vec3& to, btCollisionWorld::RayResultCallback& callback) const;

    // Adding and removing objects. Always go through these (not the dynamics world directly):
    // removal also drops the object's contact pairs, so no pair outlives its body.
    void addRigidBody(btRigidBody* body);
    void removeRigidBody(btRigidBody* body);
    void addCollisionObject(btCollisionObject* object, int proxyGroup, int proxyMask);
    void removeCollisionObject(btCollisionObject* object);
    // Moves an object and, when it is in this world, its broadphase bounds (the step refreshes
    // the bounds of active objects only; static bodies must move through here).
    void setWorldTransform(btCollisionObject& object, const btTransform& transform);
    // True while `object` is in this world.
    bool contains(const btCollisionObject* object) const;

    // One step of exactly 0.01 s, then contact tracking; events go to the listeners that
    // `listeners` finds (none when it is empty).
    void step(const GamePhysics::ContactListenerLookup& listeners = {});

    // Installs (or, with null, removes) the debug drawer; drawDebugView draws the world with it.
    void setDebugDrawer(btIDebugDraw* drawer);
    void drawDebugView();

    btDiscreteDynamicsWorld& dynamicsWorld() { return *dynamicsWorld_; }
    const btDiscreteDynamicsWorld& dynamicsWorld() const { return *dynamicsWorld_; }
    const GamePhysics::ContactTracker& contacts() const { return contacts_; }

private:
    // Declared before the library objects that point at them, so they are destroyed last.
    std::unique_ptr<btGhostPairCallback> ghostPairCallback;
    std::unique_ptr<GamePhysics::PhysicsWorldFilterCallback> filterCallback;

    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btDefaultCollisionConfiguration> collisionConfiguration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamicsWorld_;

    GamePhysics::ContactTracker contacts_;

    // Scratch of the ray traversal, kept so that ray casts allocate nothing once warm.
    struct RayStackEntry {
        const btDbvtNode* node;
        float fraction; // where the ray enters the node's box
    };
    mutable std::vector<RayStackEntry> rayStack;
};

} // namespace GamePhysics
