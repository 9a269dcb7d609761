#include "game/editor/editorscene.h"

#include "engine/core/log.h"
#include "game/editor/uiidreserve.h"
#include "game/physics/physicsmessages.h"

#include <BulletCollision/CollisionShapes/btBoxShape.h>

#include <memory>

namespace Game {

using Component::EditorDataComponent;
using Component::TransformComponent;

EditorScene::EditorScene(ECS::EntityManager& world, GameMap& map, ECS::EntityId editorEntity, EditorLooks looks)
    : world_(&world)
    , map_(&map)
    , editorEntity_(editorEntity)
    , looks(std::move(looks))
{
}

EditorDataComponent& EditorScene::data()
{
    return world_->getComponent<EditorDataComponent>(editorEntity_);
}

bool EditorScene::isLiveBlock(ECS::EntityId block) const
{
    return block != ECS::InvalidEntity && (map_->qubeIDs.count(block) != 0 || gates_.contains(block))
        && world_->isAlive(block) && !world_->isDestroyPending(block);
}

ECS::EntityId EditorScene::resolve(BlockSerial serial)
{
    const ECS::EntityId block = data().serials.entityOf(serial);
    return isLiveBlock(block) ? block : ECS::InvalidEntity;
}

BlockPose EditorScene::poseOf(ECS::EntityId block)
{
    return BlockPose::of(world_->getComponent<TransformComponent>(block));
}

void EditorScene::queueSelect(ECS::EntityId block)
{
    EditorDataComponent& d = data();
    d.pendingSelection.push_back(d.serials.serialOf(block));
}

void EditorScene::drainPendingSelection()
{
    EditorDataComponent& d = data();
    if (d.pendingSelection.empty())
        return;
    std::deque<BlockSerial> waiting;
    while (!d.pendingSelection.empty()) {
        const BlockSerial serial = d.pendingSelection.front();
        d.pendingSelection.pop_front();
        const ECS::EntityId block = resolve(serial);
        if (block == ECS::InvalidEntity || d.selections.hasSelection(block))
            continue;
        if (!world_->hasComponent<TransformComponent>(block)) {
            // Created in this update: its transform is readable after the coming refresh.
            waiting.push_back(serial);
            continue;
        }
        const ECS::EntityId copy = freeEntitySlots() > 0 ? world_->createEntity() : ECS::InvalidEntity;
        if (copy == ECS::InvalidEntity) {
            Engine::logLine("EDITOR: no entity id is free to show a selected block");
            continue;
        }
        const TransformComponent& transform = world_->getComponent<TransformComponent>(block);
        TransformComponent copied = transform;
        copied.copyToPrevious();
        world_->addComponent(copy, copied);
        if (looks.selection)
            looks.selection(*world_, copy);
        d.selections.add(block, copy, BlockPose::of(transform));
    }
    d.pendingSelection = std::move(waiting);
}

void EditorScene::unselect(ECS::EntityId block)
{
    EditorSelectionData& selections = data().selections;
    if (selections.hasSelection(block))
        selections.removeSelection(*world_, selections.getSelection(block));
}

void EditorScene::clearSelection()
{
    data().selections.clear(*world_);
}

BlockPose EditorScene::selectionPose(ECS::EntityId selectionEntity)
{
    if (world_->hasComponent<TransformComponent>(selectionEntity))
        return BlockPose::of(world_->getComponent<TransformComponent>(selectionEntity));
    return data().selections.savedTransforms.at(selectionEntity);
}

void EditorScene::setSelectionPose(ECS::EntityId selectionEntity, const BlockPose& pose, bool interpolated)
{
    // A copy made in this update still waits for the refresh, with its block's place.
    if (!world_->hasComponent<TransformComponent>(selectionEntity))
        return;
    TransformComponent& transform = world_->getComponent<TransformComponent>(selectionEntity);
    if (interpolated)
        pose.applyInterpolated(transform);
    else
        pose.applyTo(transform);
}

void EditorScene::restoreSelectionCopies()
{
    for (const auto& [copy, saved] : data().selections.savedTransforms)
        setSelectionPose(copy, saved, false);
}

std::uint32_t EditorScene::freeEntitySlots() const
{
    const std::uint32_t free = GameMap::freeQubeSlots(*world_);
    return free > UiIdReserve::kIds ? free - UiIdReserve::kIds : 0;
}

ECS::EntityId EditorScene::createBlock(const BlockPose& pose)
{
    if (freeEntitySlots() == 0)
        return ECS::InvalidEntity;
    TransformComponent transform;
    pose.applyTo(transform);
    return map_->addQube(*world_, transform);
}

ECS::EntityId EditorScene::createGate(const Gate& gate)
{
    return freeEntitySlots() > 0 ? gates_.create(*world_, gate) : ECS::InvalidEntity;
}

ECS::EntityId EditorScene::recreate(BlockSerial serial, const BlockPose& pose)
{
    std::optional<Gate> gate = gates_.remembered(serial);
    if (!gate)
        return createBlock(pose);
    gate->box = EditorGates::boxOf(pose);
    return createGate(*gate);
}

ECS::EntityId EditorScene::duplicate(ECS::EntityId item, const BlockPose& pose)
{
    if (!isGate(item))
        return createBlock(pose);
    return freeEntitySlots() > 0 ? gates_.duplicate(*world_, item, pose) : ECS::InvalidEntity;
}

void EditorScene::destroyBlock(ECS::EntityId block)
{
    unselect(block);
    if (isGate(block))
        gates_.destroy(*world_, block, data().serials.serialOf(block));
    data().serials.forget(block);
    if (map_->qubeIDs.count(block) != 0)
        map_->removeQube(*world_, block);
}

void EditorScene::setBlockPose(ECS::EntityId block, const BlockPose& pose)
{
    if (!world_->hasComponent<TransformComponent>(block))
        return;
    TransformComponent& transform = world_->getComponent<TransformComponent>(block);
    const bool scaleChanged = transform.scale != pose.scale;
    pose.applyTo(transform);
    if (isGate(block))
        gates_.setPose(block, pose);
    else if (scaleChanged)
        replaceCollider(block, pose.scale);

    EditorSelectionData& selections = data().selections;
    if (!selections.hasSelection(block))
        return;
    const ECS::EntityId copy = selections.getSelection(block);
    selections.savedTransforms[copy] = pose;
    setSelectionPose(copy, pose, false);
}

void EditorScene::replaceCollider(ECS::EntityId block, const glm::vec3& scale)
{
    const glm::vec3 half = glm::abs(scale) * 0.5f;
    world_->sendMessage(Message::PhysicsColliderShapeChangeMessage{
        block, std::make_shared<btBoxShape>(btVector3(half.x, half.y, half.z))});
}

ECS::EntityId EditorScene::createPreview(const BlockPose& pose, bool gate)
{
    const ECS::EntityId preview = freeEntitySlots() > 0 ? world_->createEntity() : ECS::InvalidEntity;
    if (preview == ECS::InvalidEntity)
        return ECS::InvalidEntity;
    TransformComponent transform;
    pose.applyTo(transform);
    world_->addComponent(preview, transform);
    const auto& look = gate ? looks.selection : looks.preview;
    if (look)
        look(*world_, preview);
    data().placing.insert(preview);
    return preview;
}

void EditorScene::destroyPreviews()
{
    EditorDataComponent& d = data();
    for (const ECS::EntityId preview : d.placing)
        destroyIfAlive(preview);
    d.placing.clear();
}

void EditorScene::resetForNewMap()
{
    clearSelection();
    destroyPreviews();
    gates_.clear(*world_);
    EditorDataComponent& d = data();
    d.pendingSelection.clear();
    d.history.clear();
    d.serials.clear();
    d.mode = EditorMode::idle;
    d.axis = EditorHandle::none;
    d.gizmoShown = false;
}

void EditorScene::destroyIfAlive(ECS::EntityId entity)
{
    if (world_->isAlive(entity) && !world_->isDestroyPending(entity))
        world_->destroyEntity(entity);
}

} // namespace Game
