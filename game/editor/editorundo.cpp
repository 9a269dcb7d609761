#include "game/editor/editorundo.h"

#include "engine/core/log.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace Game {
namespace {

using Stack = EditorHistory::Stack;

// Entity ids the group needs at once: a block and its selection copy per re-created block.
std::uint32_t idsNeeded(const RevisionGroup& group)
{
    std::uint32_t needed = 0;
    for (const Revision& revision : group.revisions) {
        if (revision.type == Revision::destroy)
            needed += 2 * static_cast<std::uint32_t>(revision.entries.size());
    }
    return needed;
}

bool selectedOrQueued(EditorScene& scene, ECS::EntityId block, BlockSerial serial)
{
    const Component::EditorDataComponent& data = scene.data();
    return data.selections.hasSelection(block)
        || std::find(data.pendingSelection.begin(), data.pendingSelection.end(), serial) != data.pendingSelection.end();
}

// A checkpoint's number: remembered for the gate an entry re-creates (`created`), current for the
// gate it destroys; none for blocks and the other gates.
std::optional<int> checkpointNumber(EditorScene& scene, const Revision::Entry& entry, bool created)
{
    std::optional<Gate> gate;
    if (created)
        gate = scene.gates().remembered(entry.serial);
    else if (const Gate* live = scene.gates().gateOf(scene.resolve(entry.serial)))
        gate = *live;
    if (!gate || gate->kind != GateKind::Checkpoint)
        return std::nullopt;
    return gate->number;
}

// The entries in the order to carry them out: checkpoints come back from the lowest number up and
// go from the highest down (after the other entries), so that each keeps its number.
std::vector<const Revision::Entry*> entryOrder(EditorScene& scene, const Revision& revision)
{
    std::vector<const Revision::Entry*> order;
    for (const Revision::Entry& entry : revision.entries)
        order.push_back(&entry);
    if (revision.type != Revision::destroy && revision.type != Revision::create)
        return order;
    const bool created = revision.type == Revision::destroy;
    const auto key = [&scene, created](const Revision::Entry* entry) {
        const std::optional<int> number = checkpointNumber(scene, *entry, created);
        if (!number)
            return std::numeric_limits<int>::min();
        return created ? *number : -*number;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&key](const Revision::Entry* a, const Revision::Entry* b) { return key(a) < key(b); });
    return order;
}

// Reverses one entry and adds to `inverse` what reverses that in turn.
void reverseEntry(EditorScene& scene, std::uint32_t type, const Revision::Entry& entry, Revision& inverse)
{
    Component::EditorDataComponent& data = scene.data();
    if (type == Revision::destroy) {
        const ECS::EntityId block = scene.recreate(entry.serial, entry.pose);
        if (block == ECS::InvalidEntity)
            return;
        data.serials.rebind(entry.serial, block);
        if (entry.reselect)
            scene.queueSelect(block);
        inverse.add(entry.serial, block);
        return;
    }
    const ECS::EntityId block = scene.resolve(entry.serial);
    if (block == ECS::InvalidEntity)
        return;
    switch (type) {
    case Revision::create:
        inverse.add(entry.serial, block, scene.poseOf(block), selectedOrQueued(scene, block, entry.serial));
        scene.destroyBlock(block);
        break;
    case Revision::unselect:
        if (!data.selections.hasSelection(block))
            scene.queueSelect(block);
        inverse.add(entry.serial, block);
        break;
    case Revision::select:
        scene.unselect(block);
        inverse.add(entry.serial, block);
        break;
    case Revision::modify:
        if (entry.hasMatrix == 0)
            return;
        inverse.add(entry.serial, block, scene.poseOf(block));
        scene.setBlockPose(block, entry.pose);
        break;
    case Revision::renumber:
        if (const Gate* gate = scene.gates().gateOf(block)) {
            inverse.addNumber(entry.serial, block, gate->number);
            scene.gates().setNumber(block, entry.number);
        }
        break;
    default:
        break;
    }
}

UndoResult reverseNewest(EditorScene& scene, Stack from, Stack to)
{
    EditorHistory& history = scene.data().history;
    if (from == Stack::undo ? history.empty() : !history.canRedo())
        return UndoResult::nothing;
    RevisionGroup group = history.take(from);
    if (idsNeeded(group) > scene.freeEntitySlots()) {
        scene.data().history.put(from, std::move(group));
        return UndoResult::tooManyBlocks;
    }
    RevisionGroup inverse;
    inverse.stamp = group.stamp;
    bool mapChanged = false;
    for (auto revision = group.revisions.rbegin(); revision != group.revisions.rend(); ++revision) {
        if (from == Stack::undo)
            Engine::logLine(Revision::consoleName(revision->type));
        else
            Engine::logLine(Revision::redoConsoleName(Revision::inverseType(revision->type)));
        Revision reversed(Revision::inverseType(revision->type));
        for (const Revision::Entry* entry : entryOrder(scene, *revision))
            reverseEntry(scene, revision->type, *entry, reversed);
        mapChanged = mapChanged || revision->changesMap();
        if (!reversed.empty())
            inverse.revisions.push_back(std::move(reversed));
    }
    if (mapChanged)
        scene.map().rebuildPending = true;
    // Looked up again: creating and destroying blocks may have moved the editor's record.
    scene.data().history.put(to, std::move(inverse));
    return UndoResult::undone;
}

} // namespace

UndoResult undoNewestGroup(EditorScene& scene)
{
    return reverseNewest(scene, Stack::undo, Stack::redo);
}

UndoResult redoNewestGroup(EditorScene& scene)
{
    return reverseNewest(scene, Stack::redo, Stack::undo);
}

} // namespace Game
