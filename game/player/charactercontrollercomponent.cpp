#include "game/player/charactercontrollercomponent.h"

#include "game/physics/physicsworld.h"

#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletCollision/CollisionShapes/btCapsuleShape.h>
#include <glm/trigonometric.hpp>

#include <cmath>

namespace Component {

namespace {
// The capsule's cylinder is the height less 0.6 (two hemispheres of 0.305 less a small overlap).
constexpr float cylinderShortfall = 0.6f;
const glm::vec3 spawnPosition(0.0f, 0.0f, 10.0f);
} // namespace

CharacterControllerComponent::CharacterControllerComponent(ECS::EntityId entityID, GamePhysics::PhysicsWorld* world)
    : physicsWorld(world),
      info(std::make_unique<GamePhysics::PhysicsBodyInfo>(GamePhysics::PhysicsBodyInfo{entityID, GamePhysics::CollisionGroup::player,
                                                             GamePhysics::CollisionGroup::all})),
      capsule(std::make_unique<btCapsuleShapeZ>(capsuleRadius, height - cylinderShortfall)),
      ghost(std::make_unique<btPairCachingGhostObject>())
{
    ghost->setCollisionShape(capsule.get());
    ghost->setCollisionFlags(btCollisionObject::CF_CHARACTER_OBJECT);
    ghost->setWorldTransform(btTransform(btMatrix3x3::getIdentity(),
                                         btVector3(spawnPosition.x, spawnPosition.y, spawnPosition.z)));
    // The world's pair filter reads the record as soon as the ghost enters the broadphase.
    ghost->setUserPointer(info.get());
    controller = std::make_unique<GamePhysics::CustomCharacterController>(world, ghost.get(), capsule.get(), stepHeight,
                                                             glm::vec3(0.0f, 0.0f, 1.0f));
    controller->setGravity(glm::vec3(0.0f, 0.0f, gravityZ));
    controller->groundSlopeCosine = std::cos(glm::radians(groundSlopeDegrees));
    controller->jumpSlopeCosine = std::cos(glm::radians(jumpSlopeDegrees));
    controller->addedMargin = skinWidth;
}

CharacterControllerComponent::~CharacterControllerComponent() = default;

CharacterControllerComponent::CharacterControllerComponent(CharacterControllerComponent&&) noexcept = default;

CharacterControllerComponent& CharacterControllerComponent::operator=(CharacterControllerComponent&& other) noexcept
{
    if (this == &other)
        return *this;
    // Our ghost leaves the world before the objects it points at are replaced.
    controller.reset();
    enabled = other.enabled;
    physicsWorld = other.physicsWorld;
    anchor = other.anchor;
    ropeLength = other.ropeLength;
    attached = other.attached;
    velocity = other.velocity;
    friction = other.friction;
    acceleration = other.acceleration;
    maxSpeed = other.maxSpeed;
    height = other.height;
    yaw = other.yaw;
    pitch = other.pitch;
    info = std::move(other.info);
    capsule = std::move(other.capsule);
    ghost = std::move(other.ghost);
    controller = std::move(other.controller);
    return *this;
}

float CharacterControllerComponent::capsuleHalfHeight() const
{
    return capsuleRadius + 0.5f * (height - cylinderShortfall);
}

glm::vec3 CharacterControllerComponent::position() const { return controller->ghostPosition(); }

void CharacterControllerComponent::placeAt(const glm::vec3& p)
{
    controller->currentPosition = p;
    controller->targetPosition = p;
    controller->setGhostPosition(p);
}

void CharacterControllerComponent::resetMotion()
{
    velocity = glm::vec3(0.0f);
    controller->reset();
}

} // namespace Component
