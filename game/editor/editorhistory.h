#pragma once
// The editor's undo history: revision groups, newest at the back, at most twenty. A revision is
// one kind of step (destroy, create, unselect, select, modify) over some blocks; a group is what
// one user action did and what one undo reverses. Blocks are named by serial number
// (BlockSerials), never by entity id, so no entry can ever reach a stranger.
#include "engine/ecs/ecstypes.h"
#include "game/editor/blockpose.h"
#include "game/editor/blockserials.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>
#include <vector>

namespace Game {

struct Revision {
    enum Type : std::uint32_t { destroy = 0, create = 1, unselect = 2, select = 3, modify = 4 };

    struct Entry {
        BlockSerial serial = BlockSerials::kNone;
        // The block's entity id when the step was recorded: entries are undone in ascending order
        // of it.
        ECS::EntityId recordedId = ECS::InvalidEntity;
        // 1 when `pose` holds the block's place (destroy, modify), 0 for entries that only name a
        // block.
        std::uint32_t hasMatrix = 0;
        BlockPose pose;
    };

    std::uint32_t type = modify;
    std::vector<Entry> entries; // ascending recordedId

    explicit Revision(std::uint32_t type) : type(type) {}
    // Adds a block; a block already in the revision keeps its first entry.
    void add(BlockSerial serial, ECS::EntityId recordedId);
    void add(BlockSerial serial, ECS::EntityId recordedId, const BlockPose& pose);
    bool empty() const { return entries.empty(); }
    // The console line of the type ("REV DESTROY", "REV CREATE", ...).
    static std::string_view consoleName(std::uint32_t type);

private:
    void insert(const Entry& entry);
};

// One or two revisions that one user action produced.
using RevisionGroup = std::vector<Revision>;

class EditorHistory {
public:
    static constexpr std::size_t kMaxGroups = 20;

    // Pushes a group of one or two revisions; revisions without entries are left out and a group
    // left empty is not recorded. The oldest groups go while more than twenty are held.
    void record(Revision revision);
    void record(Revision first, Revision second);
    // Takes the newest group off the history; the history must not be empty.
    RevisionGroup takeNewest();
    // Puts a group taken with takeNewest back (an undo that could not be carried out).
    void restoreNewest(RevisionGroup group);

    bool empty() const { return groups.empty(); }
    std::size_t size() const { return groups.size(); }
    const std::deque<RevisionGroup>& allGroups() const { return groups; }
    void clear() { groups.clear(); }

private:
    void push(RevisionGroup group);

    std::deque<RevisionGroup> groups;
};

} // namespace Game
