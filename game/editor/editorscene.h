#pragma once
// What the editor works on: the world, the map and the editor entity's state, with the block and
// selection operations that the editor player and undo share. Every change of a block goes
// through here, so a block's collider, its selection copy and the saved place always agree
// with its transform. The course's gates are items like blocks (EditorGates): every block
// operation below takes a gate as well, unless it says otherwise.
#include "engine/ecs/entitymanager.h"
#include "game/editor/blockpose.h"
#include "game/editor/editordatacomponent.h"
#include "game/editor/editorgates.h"
#include "game/gamemap/gamemap.h"

#include <cstdint>
#include <functional>

namespace Game {

// Gives an entity that the editor creates for display its look (mesh and texture): `selection`
// for the highlight copy of a selected block, `preview` for a block being placed. Either may be
// empty (no look, as in tests).
struct EditorLooks {
    std::function<void(ECS::EntityManager& world, ECS::EntityId entity)> selection;
    std::function<void(ECS::EntityManager& world, ECS::EntityId entity)> preview;
};

class EditorScene {
public:
    EditorScene(ECS::EntityManager& world, GameMap& map, ECS::EntityId editorEntity, EditorLooks looks = {});

    ECS::EntityManager& world() { return *world_; }
    GameMap& map() { return *map_; }
    ECS::EntityId editorEntity() const { return editorEntity_; }
    // The editor entity's state (looked up each time: component records move at refreshes).
    Component::EditorDataComponent& data();

    EditorGates& gates() { return gates_; }
    const EditorGates& gates() const { return gates_; }

    // True for a block of the map or a gate of the course that exists and is not about to be
    // destroyed.
    bool isLiveBlock(ECS::EntityId block) const;
    bool isGate(ECS::EntityId item) const { return gates_.contains(item); }
    // The live block a serial names, or ECS::InvalidEntity.
    ECS::EntityId resolve(BlockSerial serial);
    BlockSerial serialOf(ECS::EntityId block) { return data().serials.serialOf(block); }
    // The block's place now (its transform's current state).
    BlockPose poseOf(ECS::EntityId block);

    // --- Selection ----------------------------------------------------------------------------
    // The block is selected at the start of the next tick.
    void queueSelect(ECS::EntityId block);
    // Selects the queued blocks that still exist and are not selected yet: each gets a selection
    // entity, a copy of its transform with the selection look, and its place is saved. A block
    // for whose copy no slot is free stays unselected.
    void drainPendingSelection();
    // Takes the block out of the selection (destroying its copy); a block not selected is ignored.
    void unselect(ECS::EntityId block);
    void clearSelection();
    // The place the selection entity shows now (its transform, or the saved place while its
    // transform waits for the refresh).
    BlockPose selectionPose(ECS::EntityId selectionEntity);
    // Moves the selection entity; `interpolated` lets the frames blend towards the new place.
    void setSelectionPose(ECS::EntityId selectionEntity, const BlockPose& pose, bool interpolated);
    // Every selection entity back at its saved place.
    void restoreSelectionCopies();

    // --- Blocks -------------------------------------------------------------------------------
    // How many entities the editor may create now for blocks, selection copies and previews:
    // the free ids less those kept for the editor's UI (UiIdReserve::kIds).
    std::uint32_t freeEntitySlots() const;
    // A new map block at `pose`; ECS::InvalidEntity when no slot is free. Does not set rebuildPending.
    ECS::EntityId createBlock(const BlockPose& pose);
    // A new gate (EditorGates::create); ECS::InvalidEntity when no slot is free or the course
    // refuses it.
    ECS::EntityId createGate(const Gate& gate);
    // Brings back the item once named by `serial` at `pose`: the gate it was, or else a block.
    ECS::EntityId recreate(BlockSerial serial, const BlockPose& pose);
    // A copy of the item at `pose`: a block, or a checkpoint numbered right after the original;
    // ECS::InvalidEntity for a start or finish (there is one of each) or when no slot is free.
    ECS::EntityId duplicate(ECS::EntityId item, const BlockPose& pose);
    // Destroys the block, unselecting it first; its serial names nothing from now on.
    void destroyBlock(ECS::EntityId block);
    // Puts the block at `pose` at once, replaces its collider when its scale changed, and moves its
    // selection copy and saved place along. Does not set rebuildPending.
    void setBlockPose(ECS::EntityId block, const BlockPose& pose);

    // --- Placing ------------------------------------------------------------------------------
    // A preview block (transform and preview look, no collider, so no ray ever hits it), or with
    // `gate` the outline of a gate (the selection look); answers ECS::InvalidEntity when no slot
    // is free.
    ECS::EntityId createPreview(const BlockPose& pose, bool gate = false);
    void destroyPreviews();

    // The map's blocks were replaced: gates, selection, previews, pending selection, history and
    // serials are emptied and any drag or placement ends.
    void resetForNewMap();

private:
    void replaceCollider(ECS::EntityId block, const glm::vec3& scale);
    void destroyIfAlive(ECS::EntityId entity);

    ECS::EntityManager* world_;
    GameMap* map_;
    ECS::EntityId editorEntity_;
    EditorLooks looks;
    EditorGates gates_;
};

} // namespace Game
