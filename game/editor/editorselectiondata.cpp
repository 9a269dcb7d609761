#include "game/editor/editorselectiondata.h"

#include "engine/core/assert.h"

namespace Game {
namespace {

void destroyIfAlive(ECS::EntityManager& world, ECS::EntityId entity)
{
    if (world.isAlive(entity) && !world.isDestroyPending(entity))
        world.destroyEntity(entity);
}

} // namespace

ECS::EntityId EditorSelectionData::getSelection(ECS::EntityId block) const
{
    const auto it = entityToSelection.find(block);
    TX_ASSERT(it != entityToSelection.end(), "the block is not selected");
    return it->second;
}

void EditorSelectionData::add(ECS::EntityId block, ECS::EntityId selectionEntity, const BlockPose& saved)
{
    TX_ASSERT(!hasSelection(block), "the block is selected already");
    TX_ASSERT(selectionToEntity.count(selectionEntity) == 0, "the selection entity is in use");
    entityToSelection.emplace(block, selectionEntity);
    selectionToEntity.emplace(selectionEntity, block);
    savedTransforms[selectionEntity] = saved;
}

void EditorSelectionData::removeSelection(ECS::EntityManager& world, ECS::EntityId selectionEntity)
{
    const auto it = selectionToEntity.find(selectionEntity);
    TX_ASSERT(it != selectionToEntity.end(), "not a selection entity");
    entityToSelection.erase(it->second);
    selectionToEntity.erase(it);
    savedTransforms.erase(selectionEntity);
    destroyIfAlive(world, selectionEntity);
}

void EditorSelectionData::clear(ECS::EntityManager& world)
{
    for (const auto& pair : selectionToEntity)
        destroyIfAlive(world, pair.first);
    entityToSelection.clear();
    selectionToEntity.clear();
    savedTransforms.clear();
}

} // namespace Game
