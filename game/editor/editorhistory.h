#pragma once
// The editor's undo and redo history: revision groups, newest at the back, at most twenty in all.
// A revision is one kind of step (destroy, create, unselect, select, modify) over some blocks; a
// group is what one user action did and what one undo reverses. Undoing a group moves the group
// that would reverse the undo onto the redo stack, and redoing moves it back; a newly recorded
// group empties the redo stack. Blocks are named by serial number (BlockSerials), never by entity
// id, so no entry can ever reach a stranger.
//
// The history also tells whether the map differs from the one last saved, loaded or made new:
// every group that changes blocks carries a stamp that names the map state it leads to, and the
// state on show is the stamp of the newest such group that is in effect.
#include "engine/ecs/ecstypes.h"
#include "game/editor/blockpose.h"
#include "game/editor/blockserials.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace Game {

struct Revision {
    // renumber: a checkpoint's place in the course's order changed.
    enum Type : std::uint32_t { destroy = 0, create = 1, unselect = 2, select = 3, modify = 4, renumber = 5 };

    struct Entry {
        BlockSerial serial = BlockSerials::kNone;
        // The block's entity id when the step was recorded: entries are undone in ascending order
        // of it.
        ECS::EntityId recordedId = ECS::InvalidEntity;
        // 1 when `pose` holds the block's place (destroy, modify), 0 for entries that only name a
        // block.
        std::uint32_t hasMatrix = 0;
        BlockPose pose;
        // Destroy entries: whether the block comes back selected when the destroy is undone (a
        // deleted selection does; a block whose placing is redone comes back as it was).
        bool reselect = true;
        // Renumber entries: the checkpoint's number before the step.
        int number = 0;
    };

    std::uint32_t type = modify;
    std::vector<Entry> entries; // ascending recordedId

    explicit Revision(std::uint32_t type) : type(type) {}
    // Adds a block; a block already in the revision keeps its first entry.
    void add(BlockSerial serial, ECS::EntityId recordedId);
    void add(BlockSerial serial, ECS::EntityId recordedId, const BlockPose& pose, bool reselect = true);
    void addNumber(BlockSerial serial, ECS::EntityId recordedId, int number);
    bool empty() const { return entries.empty(); }
    // True for the kinds that change blocks or gates (destroy, create, modify, renumber) rather
    // than the selection.
    bool changesMap() const { return type == destroy || type == create || type == modify || type == renumber; }

    // The console line of the type ("REV DESTROY", "REV CREATE", ...), printed when it is undone.
    static std::string_view consoleName(std::uint32_t type);
    // The console line when a revision of the type is redone ("REV REDO DESTROY", ...).
    static std::string redoConsoleName(std::uint32_t type);
    // The kind of revision that reverses the kind: destroy and create, unselect and select swap;
    // modify and renumber stay as they are.
    static std::uint32_t inverseType(std::uint32_t type);

private:
    void insert(const Entry& entry);
};

// One or two revisions that one user action produced.
struct RevisionGroup {
    std::vector<Revision> revisions;
    // The map state the group leads to, for groups that change blocks; 0 for selection changes.
    std::uint64_t stamp = 0;

    bool empty() const { return revisions.empty(); }
    std::size_t size() const { return revisions.size(); }
    const Revision& front() const { return revisions.front(); }
    const Revision& back() const { return revisions.back(); }
};

class EditorHistory {
public:
    // Undo and redo together hold at most this many groups.
    static constexpr std::size_t kMaxGroups = 20;

    enum class Stack { undo, redo };

    // Pushes a group of one or two revisions for undo and empties the redo stack; revisions
    // without entries are left out and a group left empty is not recorded. The oldest groups go
    // while more than twenty are held.
    void record(Revision revision);
    void record(Revision first, Revision second);

    // Takes the newest group off a stack, which must not be empty.
    RevisionGroup take(Stack stack);
    // Puts a group on a stack as its newest: the group that reverses an undo goes on the redo
    // stack, the one that reverses a redo back on the undo stack, and a group that could not be
    // carried out back where it came from. The redo stack is kept.
    void put(Stack stack, RevisionGroup group);

    bool empty() const { return undoGroups.empty(); }
    std::size_t size() const { return undoGroups.size(); }
    bool canRedo() const { return !redoGroups.empty(); }
    std::size_t redoSize() const { return redoGroups.size(); }
    const std::deque<RevisionGroup>& allGroups() const { return undoGroups; }

    // Whether the blocks differ from when markSaved or clear was last called, as far as the
    // recorded steps tell: undoing back to the saved state counts as no change.
    bool hasUnsavedChanges() const { return mapState() != savedState; }
    // The map as it stands was just written to its file.
    void markSaved() { savedState = mapState(); }
    // Forgets every group: the map's blocks were replaced by a new, loaded or empty map, which
    // counts as saved.
    void clear();

private:
    void push(RevisionGroup group);
    void trim();
    std::uint64_t mapState() const;

    std::deque<RevisionGroup> undoGroups;
    std::deque<RevisionGroup> redoGroups;
    std::uint64_t lastStamp = 0;
    // The map state below the oldest undo group (advanced when a group falls out of the bound).
    std::uint64_t baseState = 0;
    std::uint64_t savedState = 0;
};

} // namespace Game
