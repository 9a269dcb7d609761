#pragma once
// Ray casts that filter by the game's collision groups and report the entity they hit.
#include "game/physics/physicsbodyinfo.h"

#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <glm/vec3.hpp>

#include <cstdint>
#include <optional>

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics

namespace GamePhysics::RayCast {

// Root of the game's ray callbacks: answers which entity was hit.
class BaseRayResultCallback : public btCollisionWorld::RayResultCallback {
public:
    // The entity of the hit object; 0 (never an entity) when nothing was hit.
    uint32_t hitEntityID() const;
};

// Accepts only objects whose PhysicsBodyInfo group matches `rayMask` (and whose mask matches
// `rayGroup`, all bits).
class EcsRayResultCallback : public BaseRayResultCallback {
public:
    explicit EcsRayResultCallback(uint32_t mask) : rayMask(mask) {}
    bool needsCollision(btBroadphaseProxy* proxy) const override;

    uint32_t rayGroup = 0xFFFFFFFFu;
    uint32_t rayMask;
};

// Keeps the closest accepted hit and its world-space normal.
class EcsClosestRayResultCallback : public EcsRayResultCallback {
public:
    explicit EcsClosestRayResultCallback(uint32_t mask) : EcsRayResultCallback(mask) {}
    btScalar addSingleResult(btCollisionWorld::LocalRayResult& rayResult, bool normalInWorldSpace) override;

    // The point at the closest hit fraction along from→to (`to` when nothing was hit).
    glm::vec3 hitPoint(const glm::vec3& from, const glm::vec3& to) const;

    glm::vec3 hitNormalWorld{0.0f};
};

// The closest hit of a ray, in world space.
struct RayHit {
    uint32_t entityID = 0;
    glm::vec3 point{0.0f};
    glm::vec3 normal{0.0f};
    float fraction = 1.0f; // along from→to
};

// Casts from→to and returns the nearest object whose group matches `mask` (RayMask), if any.
std::optional<RayHit> closestHit(const PhysicsWorld& world, const glm::vec3& from, const glm::vec3& to,
                                 uint32_t mask);

} // namespace GamePhysics::RayCast
