#pragma once
// Serial numbers of the blocks the editor refers to. Entity ids are reused once an entity is
// gone, so the undo history and the pending selection name blocks by a serial that is never
// handed out twice; a serial is bound to the entity that is that block now (a block re-created by
// undo takes over its old serial). An unbound serial names a block that no longer exists.
#include "engine/ecs/ecstypes.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Game {

using BlockSerial = std::uint64_t;

class BlockSerials {
public:
    static constexpr BlockSerial kNone = 0;

    BlockSerials();

    // The block's serial; a block seen for the first time gets the next unused one.
    BlockSerial serialOf(ECS::EntityId block);
    // The entity that the serial names now, or ECS::InvalidEntity when it names none.
    ECS::EntityId entityOf(BlockSerial serial) const;
    // The serial now names `block` (a re-created block); any other binding of either goes.
    void rebind(BlockSerial serial, ECS::EntityId block);
    // The block is gone: its serial names nothing from now on and its id may be reused.
    void forget(ECS::EntityId block);
    // Every binding goes (the map's blocks were replaced); serials already handed out stay used.
    void clear();
    // Forgets every bound block for which `exists(block)` is false, so that a block destroyed
    // behind the editor's back is never confused with a later block under the same id.
    template <class Exists>
    void forgetVanished(Exists exists)
    {
        for (auto it = entityBySerial.begin(); it != entityBySerial.end();) {
            if (exists(it->second)) {
                ++it;
                continue;
            }
            serialByEntity[it->second] = kNone;
            it = entityBySerial.erase(it);
        }
    }

private:
    BlockSerial nextSerial = 1;
    std::vector<BlockSerial> serialByEntity; // indexed by entity id
    std::unordered_map<BlockSerial, ECS::EntityId> entityBySerial;
};

} // namespace Game
