#pragma once
// Collision objects for physics tests that do not need the ECS: each owns its shape, its object
// and its PhysicsBodyInfo, and leaves the world when it is destroyed.
#include "game/physics/physicsbodyinfo.h"
#include "game/physics/physicsworld.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btStaticPlaneShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <glm/vec3.hpp>

#include <memory>

namespace PhysicsTest {

// A static box (mass 0) or the floor plane z = 0, added to the world at once.
struct StaticBody {
    StaticBody(GamePhysics::PhysicsWorld& world, uint32_t entityID, uint32_t group, std::unique_ptr<btCollisionShape> shapeIn,
               const glm::vec3& position)
        : world(world), shape(std::move(shapeIn)), info(GamePhysics::PhysicsBodyInfo{entityID, group, 0xFFFFFFFFu})
    {
        btRigidBody::btRigidBodyConstructionInfo construction(0, nullptr, shape.get());
        construction.m_startWorldTransform.setOrigin(btVector3(position.x, position.y, position.z));
        body = std::make_unique<btRigidBody>(construction);
        body->setUserPointer(&info);
        world.addRigidBody(body.get());
    }
    ~StaticBody()
    {
        if (world.contains(body.get()))
            world.removeRigidBody(body.get());
    }

    GamePhysics::PhysicsWorld& world;
    std::unique_ptr<btCollisionShape> shape;
    GamePhysics::PhysicsBodyInfo info;
    std::unique_ptr<btRigidBody> body;
};

inline std::unique_ptr<StaticBody> box(GamePhysics::PhysicsWorld& world, uint32_t entityID, const glm::vec3& center,
                                       const glm::vec3& halfExtents, uint32_t group = GamePhysics::CollisionGroup::block)
{
    return std::make_unique<StaticBody>(world, entityID, group,
                                        std::make_unique<btBoxShape>(btVector3(halfExtents.x, halfExtents.y, halfExtents.z)),
                                        center);
}

inline std::unique_ptr<StaticBody> floorPlane(GamePhysics::PhysicsWorld& world, uint32_t entityID)
{
    return std::make_unique<StaticBody>(world, entityID, GamePhysics::CollisionGroup::floor,
                                        std::make_unique<btStaticPlaneShape>(btVector3(0, 0, 1), 0), glm::vec3(0));
}

// A free-moving (non-static) box like the player's ghost: it pairs with static bodies.
struct MovingBox {
    MovingBox(GamePhysics::PhysicsWorld& world, uint32_t entityID, const glm::vec3& center, const glm::vec3& halfExtents,
              uint32_t group = GamePhysics::CollisionGroup::player, uint32_t mask = 0xFFFFFFFFu)
        : world(world), shape(btVector3(halfExtents.x, halfExtents.y, halfExtents.z)), info{entityID, group, mask}
    {
        object.setCollisionShape(&shape);
        object.setUserPointer(&info);
        // Collision objects start static; the player's ghost is a character object only.
        object.setCollisionFlags(btCollisionObject::CF_CHARACTER_OBJECT);
        moveTo(center);
        world.addCollisionObject(&object, GamePhysics::GhostProxy::group, GamePhysics::GhostProxy::mask);
    }
    ~MovingBox()
    {
        if (world.contains(&object))
            world.removeCollisionObject(&object);
    }
    void moveTo(const glm::vec3& center)
    {
        btTransform transform;
        transform.setIdentity();
        transform.setOrigin(btVector3(center.x, center.y, center.z));
        object.setWorldTransform(transform);
    }

    GamePhysics::PhysicsWorld& world;
    btBoxShape shape;
    GamePhysics::PhysicsBodyInfo info;
    btCollisionObject object;
};

} // namespace PhysicsTest
