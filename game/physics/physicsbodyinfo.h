#pragma once
// The record behind every collision object's user pointer: which entity owns the object and
// which collision groups it belongs to and may touch. The game's broadphase filter and its ray
// callbacks read these bits instead of the library's proxy group and mask.
#include <cstdint>

namespace GamePhysics {

// Collision group bits of the objects the game puts into the world.
namespace CollisionGroup {
constexpr uint32_t player = 1;    // the player's capsule (ghost object)
constexpr uint32_t blockBit = 4;  // set on map blocks only
constexpr uint32_t surfaceBit = 8; // set on everything that can be stood or built on
constexpr uint32_t floor = surfaceBit;
constexpr uint32_t block = blockBit | surfaceBit;
constexpr uint32_t all = 0xFFFFFFFFu;
} // namespace CollisionGroup

// Masks for the game's ray casts (GamePhysics::RayCast::EcsClosestRayResultCallback).
namespace RayMask {
constexpr uint32_t surfaces = CollisionGroup::surfaceBit; // floor and blocks
constexpr uint32_t blocksOnly = CollisionGroup::blockBit; // passes through the floor
constexpr uint32_t all = 0xFFFFFFFFu;
} // namespace RayMask

// The library's own proxy group and mask that the player's ghost object enters the world with;
// the character controller's sweeps filter with these.
namespace GhostProxy {
constexpr int group = 32;
constexpr int mask = 3;
} // namespace GhostProxy

struct PhysicsBodyInfo {
    uint32_t entityID = 0;
    uint32_t group = CollisionGroup::all;
    uint32_t mask = CollisionGroup::all;
};

// True when the groups and masks of two records accept each other in both directions.
inline bool groupsAccept(uint32_t groupA, uint32_t maskA, uint32_t groupB, uint32_t maskB)
{
    return (groupA & maskB) != 0 && (maskA & groupB) != 0;
}

} // namespace GamePhysics
