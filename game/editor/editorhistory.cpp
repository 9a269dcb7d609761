#include "game/editor/editorhistory.h"

#include "engine/core/assert.h"

#include <algorithm>

namespace Game {

void Revision::add(BlockSerial serial, ECS::EntityId recordedId)
{
    insert(Entry{serial, recordedId, 0, BlockPose{}});
}

void Revision::add(BlockSerial serial, ECS::EntityId recordedId, const BlockPose& pose)
{
    insert(Entry{serial, recordedId, 1, pose});
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
    default:
        return "REV UNKNOWN";
    }
}

void EditorHistory::record(Revision revision)
{
    RevisionGroup group;
    if (!revision.empty())
        group.push_back(std::move(revision));
    push(std::move(group));
}

void EditorHistory::record(Revision first, Revision second)
{
    RevisionGroup group;
    if (!first.empty())
        group.push_back(std::move(first));
    if (!second.empty())
        group.push_back(std::move(second));
    push(std::move(group));
}

void EditorHistory::push(RevisionGroup group)
{
    if (group.empty())
        return;
    groups.push_back(std::move(group));
    while (groups.size() > kMaxGroups)
        groups.pop_front();
}

RevisionGroup EditorHistory::takeNewest()
{
    TX_ASSERT(!groups.empty(), "undo with an empty history");
    RevisionGroup group = std::move(groups.back());
    groups.pop_back();
    return group;
}

void EditorHistory::restoreNewest(RevisionGroup group)
{
    groups.push_back(std::move(group));
}

} // namespace Game
