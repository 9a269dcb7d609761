#pragma once
// Messages of the physics layer.
#include "game/core/typeids.h"

#include <cstdint>
#include <memory>

class btCollisionShape;

namespace Message {

// Replaces the collision shape of an entity's collider and rigid body (handled in the next update).
// Sent as {entityID, shape}: the ECS stamps `entitySerial` when it is sent, and the message is
// dropped if the entity is destroyed before it is handled (ECS::EntityManager::sendMessage).
struct PhysicsColliderShapeChangeMessage {
    static constexpr ECS::MessageType _mType = ECS::MessageId::PhysicsColliderShapeChange;

    uint32_t entityID = 0;
    std::shared_ptr<btCollisionShape> shape;
    uint32_t entitySerial = 0;
};

} // namespace Message
