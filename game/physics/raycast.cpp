#include "game/physics/raycast.h"

#include "engine/core/assert.h"
#include "game/physics/bulletconvert.h"
#include "game/physics/physicsworld.h"

namespace GamePhysics::RayCast {

uint32_t BaseRayResultCallback::hitEntityID() const
{
    if (m_collisionObject == nullptr)
        return 0;
    TX_ASSERT(m_collisionObject->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    return static_cast<const GamePhysics::PhysicsBodyInfo*>(m_collisionObject->getUserPointer())->entityID;
}

bool EcsRayResultCallback::needsCollision(btBroadphaseProxy* proxy) const
{
    const auto* c0 = static_cast<const btCollisionObject*>(proxy->m_clientObject);
    TX_ASSERT(c0->getUserPointer() != nullptr, "collision object without PhysicsBodyInfo");
    const auto* info = static_cast<const GamePhysics::PhysicsBodyInfo*>(c0->getUserPointer());
    return groupsAccept(rayGroup, rayMask, info->group, info->mask);
}

btScalar EcsClosestRayResultCallback::addSingleResult(btCollisionWorld::LocalRayResult& rayResult,
                                                      bool normalInWorldSpace)
{
    // The library only reports hits nearer than the current closest fraction.
    m_closestHitFraction = rayResult.m_hitFraction;
    m_collisionObject = rayResult.m_collisionObject;
    const btVector3 normal = normalInWorldSpace
                                 ? rayResult.m_hitNormalLocal
                                 : m_collisionObject->getWorldTransform().getBasis() * rayResult.m_hitNormalLocal;
    hitNormalWorld = toGlm(normal);
    return rayResult.m_hitFraction;
}

glm::vec3 EcsClosestRayResultCallback::hitPoint(const glm::vec3& from, const glm::vec3& to) const
{
    const float f = m_closestHitFraction;
    return from * (1.0f - f) + to * f;
}

std::optional<RayHit> closestHit(const PhysicsWorld& world, const glm::vec3& from, const glm::vec3& to,
                                 uint32_t mask)
{
    EcsClosestRayResultCallback callback(mask);
    world.rayTest(from, to, callback);
    if (!callback.hasHit())
        return std::nullopt;
    return RayHit{callback.hitEntityID(), callback.hitPoint(from, to), callback.hitNormalWorld,
                  callback.m_closestHitFraction};
}

} // namespace GamePhysics::RayCast
