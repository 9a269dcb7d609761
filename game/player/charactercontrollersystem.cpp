#include "game/player/charactercontrollersystem.h"

#include "engine/ecs/entitymanager.h"
#include "game/camera/cameracomponents.h"
#include "game/camera/cameramath.h"
#include "game/physics/physicsworld.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/transform/transformcomponent.h"

#include <BulletCollision/CollisionDispatch/btCollisionWorld.h>
#include <BulletCollision/CollisionDispatch/btGhostObject.h>
#include <BulletDynamics/Dynamics/btDiscreteDynamicsWorld.h>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace Game {

using Component::CameraModificationComponent;
using Component::CharacterControllerComponent;
using Component::TransformComponent;
using namespace Game::PlayerMovement;

namespace {

// Closest hit of the rope's ray that never reports the player's own capsule, which the ray
// starts inside.
class RopeRayCallback : public btCollisionWorld::ClosestRayResultCallback {
public:
    RopeRayCallback(const glm::vec3& from, const glm::vec3& to, const btCollisionObject* self)
        : ClosestRayResultCallback(btVector3(from.x, from.y, from.z), btVector3(to.x, to.y, to.z)), self(self)
    {
    }
    bool needsCollision(btBroadphaseProxy* proxy) const override
    {
        return proxy->m_clientObject != self && ClosestRayResultCallback::needsCollision(proxy);
    }

private:
    const btCollisionObject* self;
};

bool finite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Ground and air control differ in friction and acceleration; the top speed is the same.
void setMovementRules(CharacterControllerComponent& c, bool onGround)
{
    c.maxSpeed = Game::PlayerMovement::maxSpeed;
    c.friction = onGround ? groundFriction : airFriction;
    c.acceleration = onGround ? groundAcceleration : airAcceleration;
}

// The player looks where the camera looks; without a camera, straight up.
glm::vec3 takeView(CharacterControllerComponent& c, const CameraModificationComponent* camera)
{
    if (!camera)
        return glm::vec3(0.0f, 0.0f, 1.0f);
    c.yaw = camera->yaw;
    c.pitch = camera->pitch;
    return Game::CameraMath::forwardFromAngles(c.yaw, c.pitch);
}

// The horizontal velocity the keys or the stick ask for: friction first (not while on the rope), then the
// keys' push relative to the view's yaw.
glm::vec2 steeredVelocity(const CharacterControllerComponent& c, const PlayerInput& in)
{
    glm::vec2 velocity(c.velocity.x, c.velocity.y);
    if (!c.attached)
        velocity = applyFriction(velocity, c.friction);
    if (const auto angle = moveAngle(in))
        velocity = accelerate(velocity, c.yaw + *angle, c.acceleration, c.friction,
                              std::min(c.maxSpeed, speedLimit(in)));
    return velocity;
}

// Sets up the controller's step to walk at `velocity` from where it stands; returns that place.
glm::vec3 prepareStep(GamePhysics::CustomCharacterController& k, const glm::vec2& velocity)
{
    k.walkDirection = glm::vec3(velocity, 0.0f);
    const glm::vec3 start = k.ghostPosition();
    k.currentPosition = start;
    k.targetPosition = start;
    return start;
}

// In the air or on the rope, the velocity loses its part into every surface the capsule touches,
// so the player slides along walls instead of sticking to them.
glm::vec2 slideAlongContacts(GamePhysics::CustomCharacterController& k, const glm::vec2& velocity)
{
    glm::vec3 v(velocity, k.verticalVelocity * k.up.z + k.walkDirection.z);
    for (const glm::vec3& n : k.touchingNormals) {
        const float lengthSquared = glm::dot(n, n);
        if (lengthSquared > 0.0f)
            v -= n * (glm::dot(v, n) / lengthSquared);
    }
    k.verticalVelocity = v.z;
    return glm::vec2(v);
}

void jump(GamePhysics::CustomCharacterController& k)
{
    k.jumpSpeed = Game::PlayerMovement::jumpSpeed;
    k.verticalVelocity = Game::PlayerMovement::jumpSpeed;
    k.wasJumping = true;
    k.justJumped = true;
}

} // namespace

CharacterControllerSystem::CharacterControllerSystem(ECS::EntityManager& manager, InputSource input)
    : ECS::ComponentSystem(manager, {CharacterControllerComponent::_cType, TransformComponent::_cType}),
      input(std::move(input))
{
}

void CharacterControllerSystem::processEntity(ECS::EntityId entity, float /*alpha*/)
{
    tick(entity, input ? input() : PlayerInput{});
}

void CharacterControllerSystem::tick(ECS::EntityId entity, const PlayerInput& in)
{
    CharacterControllerComponent& c = manager->getComponent<CharacterControllerComponent>(entity);
    if (!c.enabled)
        return;
    TransformComponent& t = manager->getComponent<TransformComponent>(entity);
    CameraModificationComponent* camera = manager->hasComponent<CameraModificationComponent>(entity)
                                              ? &manager->getComponent<CameraModificationComponent>(entity)
                                              : nullptr;
    GamePhysics::CustomCharacterController& k = *c.controller;

    const bool wasOnGround = k.onGround;
    setMovementRules(c, wasOnGround);
    const glm::vec3 look = takeView(c, camera);
    glm::vec2 velocity = steeredVelocity(c, in);
    const glm::vec3 start = prepareStep(k, velocity);

    if (in.ropeFired())
        fireRope(c, start, look);
    if (!in.ropeHeld)
        c.attached = false;

    k.step(&c.physicsWorld->dynamicsWorld(), tickSeconds);

    if (glm::length(velocity) > 0.0f) {
        velocity = achievedVelocity(velocity, k.movedDistance, tickSeconds);
        k.setVelocity(glm::vec3(velocity, k.verticalVelocity));
    }
    if (c.attached) {
        holdRope(c, t, start, velocity);
        reelRope(c, reelPerNotch * float(in.wheel) + reelPerTick * float(in.reelHeld));
    }
    if (c.attached || !wasOnGround)
        velocity = slideAlongContacts(k, velocity);
    if (in.jumpHeld && k.canJump)
        jump(k);

    t.position = k.ghostPosition();
    if (camera)
        camera->offset.z = c.height * 0.5f - eyeBelowTop;
    c.velocity = glm::vec3(velocity, 0.0f);
}

// Casts the rope along `look` from the capsule's centre; a hit within range fixes the anchor.
void CharacterControllerSystem::fireRope(CharacterControllerComponent& c, const glm::vec3& from,
                                         const glm::vec3& look) const
{
    const glm::vec3 to = from + ropeRange * look;
    RopeRayCallback callback(from, to, c.ghost.get());
    c.physicsWorld->rayTest(from, to, callback);
    if (!callback.hasHit())
        return;
    const btVector3& hit = callback.m_hitPointWorld;
    const glm::vec3 point(hit.x(), hit.y(), hit.z());
    const float length = glm::length(point - from);
    // A rope of no length has no direction to swing in.
    if (!finite(point) || !(length > 0.0f))
        return;
    c.anchor = point;
    c.ropeLength = length;
    c.attached = true;
}

// Keeps the player on or inside the rope's sphere; only the velocity along the rope is lost.
void CharacterControllerSystem::holdRope(CharacterControllerComponent& c, TransformComponent& t,
                                         const glm::vec3& start, glm::vec2& velocity) const
{
    GamePhysics::CustomCharacterController& k = *c.controller;
    const glm::vec3 position = k.ghostPosition();
    const glm::vec3 held = ropeConstrain(position, c.anchor, c.ropeLength);
    if (held == position)
        return;
    t.position = held;
    c.placeAt(held);
    if (held == start) {
        k.setVelocity(glm::vec3(0.0f));
        velocity = glm::vec2(0.0f);
        return;
    }
    const glm::vec3 swing = removeRadial(k.verticalVelocity * k.up + k.walkDirection, held, c.anchor);
    k.setVelocity(swing);
    velocity = glm::vec2(swing);
}

// Shortens (positive `units`) or lengthens the attached rope. Reeling in pulls the player
// towards the anchor through the controller's sweep; where a block stops him, the rope is only
// as short as he got, so the rope's hold never drags him through the block afterwards.
void CharacterControllerSystem::reelRope(CharacterControllerComponent& c, float units) const
{
    if (units == 0.0f)
        return;
    const float wanted = reeledBy(c.ropeLength, units);
    GamePhysics::CustomCharacterController& k = *c.controller;
    const glm::vec3 position = k.ghostPosition();
    const glm::vec3 towardsAnchor = c.anchor - position;
    const float distance = glm::length(towardsAnchor);
    if (!(distance > wanted)) {
        c.ropeLength = wanted;
        return;
    }
    k.currentPosition = position;
    k.pull(towardsAnchor / distance * (distance - wanted));
    c.ropeLength = std::max(wanted, glm::length(c.anchor - k.ghostPosition()));
}

CharacterControllerStateCopySystem::CharacterControllerStateCopySystem(ECS::EntityManager& manager)
    : ECS::ComponentSystem(manager, {CharacterControllerComponent::_cType})
{
}

void CharacterControllerStateCopySystem::processEntity(ECS::EntityId entity, float /*alpha*/)
{
    manager->getComponent<CharacterControllerComponent>(entity);
}

} // namespace Game
