#pragma once
// The editor's selection: each selected block has a selection entity, a highlight copy drawn over
// it that moves during a handle drag while the block stays, and the block's place saved when it
// was selected, reset or last dragged. The three tables always hold the same pairs.
#include "engine/ecs/entitymanager.h"
#include "game/editor/blockpose.h"

#include <cstddef>
#include <map>

namespace Game {

class EditorSelectionData {
public:
    bool hasSelection(ECS::EntityId block) const { return entityToSelection.count(block) != 0; }
    // The block's selection entity; the block must be selected.
    ECS::EntityId getSelection(ECS::EntityId block) const;
    // Enters a selected block with its selection entity and its place; the block must not be
    // selected yet.
    void add(ECS::EntityId block, ECS::EntityId selectionEntity, const BlockPose& saved);
    // Takes the selection entity's block out of the selection and destroys the selection entity.
    void removeSelection(ECS::EntityManager& world, ECS::EntityId selectionEntity);
    // Destroys every selection entity and empties the tables.
    void clear(ECS::EntityManager& world);

    std::size_t size() const { return entityToSelection.size(); }
    bool empty() const { return entityToSelection.empty(); }

    std::map<ECS::EntityId, ECS::EntityId> entityToSelection; // block -> selection entity
    std::map<ECS::EntityId, ECS::EntityId> selectionToEntity; // selection entity -> block
    std::map<ECS::EntityId, BlockPose> savedTransforms;       // selection entity -> block's place
};

} // namespace Game
