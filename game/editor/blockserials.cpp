#include "game/editor/blockserials.h"

#include "engine/core/assert.h"

#include <algorithm>

namespace Game {

BlockSerials::BlockSerials()
    : serialByEntity(ECS::EntityIdLimit, kNone)
{
}

BlockSerial BlockSerials::serialOf(ECS::EntityId block)
{
    TX_ASSERT(block != ECS::InvalidEntity && block < ECS::EntityIdLimit, "a block id outside the entity range");
    BlockSerial& serial = serialByEntity[block];
    if (serial == kNone) {
        serial = nextSerial++;
        entityBySerial.emplace(serial, block);
    }
    return serial;
}

ECS::EntityId BlockSerials::entityOf(BlockSerial serial) const
{
    const auto found = entityBySerial.find(serial);
    return found == entityBySerial.end() ? ECS::InvalidEntity : found->second;
}

void BlockSerials::rebind(BlockSerial serial, ECS::EntityId block)
{
    TX_ASSERT(serial != kNone && serial < nextSerial, "rebinding a serial that was never handed out");
    TX_ASSERT(block != ECS::InvalidEntity && block < ECS::EntityIdLimit, "a block id outside the entity range");
    const ECS::EntityId previous = entityOf(serial);
    if (previous != ECS::InvalidEntity)
        serialByEntity[previous] = kNone;
    forget(block);
    serialByEntity[block] = serial;
    entityBySerial[serial] = block;
}

void BlockSerials::forget(ECS::EntityId block)
{
    if (block == ECS::InvalidEntity || block >= ECS::EntityIdLimit)
        return;
    BlockSerial& serial = serialByEntity[block];
    if (serial == kNone)
        return;
    entityBySerial.erase(serial);
    serial = kNone;
}

void BlockSerials::clear()
{
    std::fill(serialByEntity.begin(), serialByEntity.end(), kNone);
    entityBySerial.clear();
}

} // namespace Game
