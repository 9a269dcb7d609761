#include "game/editor/editorundo.h"

#include "engine/core/log.h"

#include <cstdint>

namespace Game {
namespace {

// Entity ids the group needs at once: a block and its selection copy per re-created block.
std::uint32_t idsNeeded(const RevisionGroup& group)
{
    std::uint32_t needed = 0;
    for (const Revision& revision : group) {
        if (revision.type == Revision::destroy)
            needed += 2 * static_cast<std::uint32_t>(revision.entries.size());
    }
    return needed;
}

void undoEntry(EditorScene& scene, std::uint32_t type, const Revision::Entry& entry)
{
    Component::EditorDataComponent& data = scene.data();
    if (type == Revision::destroy) {
        const ECS::EntityId block = scene.createBlock(entry.pose);
        if (block == ECS::InvalidEntity)
            return;
        data.serials.rebind(entry.serial, block);
        scene.queueSelect(block);
        return;
    }
    const ECS::EntityId block = scene.resolve(entry.serial);
    if (block == ECS::InvalidEntity)
        return;
    switch (type) {
    case Revision::create:
        scene.destroyBlock(block);
        break;
    case Revision::unselect:
        if (!data.selections.hasSelection(block))
            scene.queueSelect(block);
        break;
    case Revision::select:
        scene.unselect(block);
        break;
    case Revision::modify:
        if (entry.hasMatrix != 0)
            scene.setBlockPose(block, entry.pose);
        break;
    default:
        break;
    }
}

} // namespace

UndoResult undoNewestGroup(EditorScene& scene)
{
    EditorHistory& history = scene.data().history;
    if (history.empty())
        return UndoResult::nothing;
    RevisionGroup group = history.takeNewest();
    if (idsNeeded(group) > scene.freeEntitySlots()) {
        scene.data().history.restoreNewest(std::move(group));
        return UndoResult::tooManyBlocks;
    }
    bool geometryChanged = false;
    for (auto revision = group.rbegin(); revision != group.rend(); ++revision) {
        Engine::logLine(Revision::consoleName(revision->type));
        for (const Revision::Entry& entry : revision->entries)
            undoEntry(scene, revision->type, entry);
        geometryChanged = geometryChanged || revision->type == Revision::destroy
                       || revision->type == Revision::create || revision->type == Revision::modify;
    }
    if (geometryChanged)
        scene.map().rebuildPending = true;
    return UndoResult::undone;
}

} // namespace Game
