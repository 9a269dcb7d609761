#include "game/physics/physicsmotionstate.h"

namespace GamePhysics {

PhysicsMotionState::PhysicsMotionState()
    : graphicsWorldTransform(btTransform::getIdentity()),
      centerOfMassOffset(btTransform::getIdentity()),
      startWorldTransform(btTransform::getIdentity())
{
}

void PhysicsMotionState::getWorldTransform(btTransform& worldTransform) const
{
    worldTransform = graphicsWorldTransform * centerOfMassOffset.inverse();
}

void PhysicsMotionState::setWorldTransform(const btTransform& worldTransform)
{
    graphicsWorldTransform = worldTransform * centerOfMassOffset;
}

} // namespace GamePhysics
