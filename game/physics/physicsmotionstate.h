#pragma once
// The motion state handed to every rigid body. The game's bodies are static and follow their
// entities' transforms (PhysicsMotionStateSystem), so nothing reads this back; it keeps the
// library's contract for a body that would be simulated.
#include <LinearMath/btMotionState.h>
#include <LinearMath/btTransform.h>

namespace GamePhysics {

class PhysicsMotionState : public btMotionState {
public:
    PhysicsMotionState();

    // graphicsWorldTransform · inverse(centerOfMassOffset).
    void getWorldTransform(btTransform& worldTransform) const override;
    // graphicsWorldTransform = worldTransform · centerOfMassOffset.
    void setWorldTransform(const btTransform& worldTransform) override;

    btTransform graphicsWorldTransform;
    btTransform centerOfMassOffset;
    btTransform startWorldTransform;
    void* userPointer = nullptr;
};

} // namespace GamePhysics
