#include "game/editor/editorhistory.h"

#include "engine/core/assert.h"

#include <algorithm>

namespace Game {

void Revision::add(BlockSerial serial, ECS::EntityId recordedId)
{
    insert(Entry{serial, recordedId, 0, BlockPose{}, true});
}

void Revision::add(BlockSerial serial, ECS::EntityId recordedId, const BlockPose& pose, bool reselect)
{
    insert(Entry{serial, recordedId, 1, pose, reselect});
}

void Revision::addNumber(BlockSerial serial, ECS::EntityId recordedId, int number)
{
    insert(Entry{serial, recordedId, 0, BlockPose{}, true, number});
}

void Revision::insert(const Entry& entry)
{
    const auto before = std::lower_bound(entries.begin(), entries.end(), entry.recordedId,
                                         [](const Entry& e, ECS::EntityId id) { return e.recordedId < id; });
    if (before != entries.end() && before->recordedId == entry.recordedId)
        return;
    entries.insert(before, entry);
}

std::string_view Revision::consoleName(std::uint32_t type)
{
    switch (type) {
    case destroy:
        return "REV DESTROY";
    case create:
        return "REV CREATE";
    case unselect:
        return "REV UNSELECT";
    case select:
        return "REV SELECT";
    case modify:
        return "REV MODIFY";
    case renumber:
        return "REV RENUMBER";
    default:
        return "REV UNKNOWN";
    }
}

std::string Revision::redoConsoleName(std::uint32_t type)
{
    constexpr std::string_view prefix = "REV ";
    const std::string_view name = consoleName(type);
    return "REV REDO " + std::string(name.substr(prefix.size()));
}

std::uint32_t Revision::inverseType(std::uint32_t type)
{
    switch (type) {
    case destroy:
        return create;
    case create:
        return destroy;
    case unselect:
        return select;
    case select:
        return unselect;
    default:
        return type;
    }
}

void EditorHistory::record(Revision revision)
{
    RevisionGroup group;
    if (!revision.empty())
        group.revisions.push_back(std::move(revision));
    push(std::move(group));
}

void EditorHistory::record(Revision first, Revision second)
{
    RevisionGroup group;
    if (!first.empty())
        group.revisions.push_back(std::move(first));
    if (!second.empty())
        group.revisions.push_back(std::move(second));
    push(std::move(group));
}

void EditorHistory::push(RevisionGroup group)
{
    if (group.empty())
        return;
    const bool changesMap = std::any_of(group.revisions.begin(), group.revisions.end(),
                                        [](const Revision& r) { return r.changesMap(); });
    group.stamp = changesMap ? ++lastStamp : 0;
    redoGroups.clear();
    undoGroups.push_back(std::move(group));
    trim();
}

void EditorHistory::trim()
{
    while (undoGroups.size() + redoGroups.size() > kMaxGroups) {
        if (undoGroups.empty()) {
            redoGroups.pop_front();
            continue;
        }
        // The state the dropped group led to is now the oldest one undo can reach.
        if (undoGroups.front().stamp != 0)
            baseState = undoGroups.front().stamp;
        undoGroups.pop_front();
    }
}

RevisionGroup EditorHistory::take(Stack stack)
{
    std::deque<RevisionGroup>& groups = stack == Stack::undo ? undoGroups : redoGroups;
    TX_ASSERT(!groups.empty(), "taking a group from an empty history");
    RevisionGroup group = std::move(groups.back());
    groups.pop_back();
    return group;
}

void EditorHistory::put(Stack stack, RevisionGroup group)
{
    if (group.empty())
        return;
    (stack == Stack::undo ? undoGroups : redoGroups).push_back(std::move(group));
    trim();
}

std::uint64_t EditorHistory::mapState() const
{
    for (auto group = undoGroups.rbegin(); group != undoGroups.rend(); ++group) {
        if (group->stamp != 0)
            return group->stamp;
    }
    return baseState;
}

void EditorHistory::clear()
{
    undoGroups.clear();
    redoGroups.clear();
    baseState = savedState = 0;
}

} // namespace Game
