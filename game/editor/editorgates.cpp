#include "game/editor/editorgates.h"

#include "game/course/gatecrossing.h"
#include "game/transform/transformcomponent.h"

#include <glm/gtc/quaternion.hpp>

#include <algorithm>

namespace Game {
namespace {

glm::vec3 sizeOf(GateKind kind)
{
    switch (kind) {
    case GateKind::Start:
        return EditorGates::kStartSize;
    case GateKind::Finish:
        return EditorGates::kFinishSize;
    case GateKind::Checkpoint:
    default:
        return EditorGates::kCheckpointSize;
    }
}

} // namespace

OrientedBox EditorGates::boxOf(const BlockPose& pose)
{
    return OrientedBox{pose.position, glm::abs(pose.scale) * 0.5f, pose.rotation};
}

BlockPose EditorGates::poseOf(const OrientedBox& box)
{
    return BlockPose{box.center, box.halfExtents * 2.0f, box.rotation};
}

BlockPose EditorGates::newPose(GateKind kind, const glm::vec3& ground, float yawDegrees)
{
    const glm::vec3 size = sizeOf(kind);
    const glm::quat turn = glm::angleAxis(glm::radians(yawDegrees), glm::vec3(0.0f, 0.0f, 1.0f));
    return BlockPose{ground + glm::vec3(0.0f, 0.0f, size.z * 0.5f), size, turn};
}

const char* EditorGates::kindName(GateKind kind)
{
    switch (kind) {
    case GateKind::Start:
        return "Start";
    case GateKind::Finish:
        return "Finish";
    case GateKind::Checkpoint:
    default:
        return "Checkpoint";
    }
}

std::optional<size_t> EditorGates::indexOf(ECS::EntityId entity) const
{
    if (entity == ECS::InvalidEntity)
        return std::nullopt;
    const auto it = std::find(ids_.begin(), ids_.end(), entity);
    if (it == ids_.end())
        return std::nullopt;
    return size_t(it - ids_.begin());
}

bool EditorGates::contains(ECS::EntityId entity) const
{
    return indexOf(entity).has_value();
}

const Gate* EditorGates::gateOf(ECS::EntityId entity) const
{
    const std::optional<size_t> index = indexOf(entity);
    return index ? &course_.gates()[*index] : nullptr;
}

ECS::EntityId EditorGates::entityOf(GateKind kind) const
{
    for (size_t i = 0; i < ids_.size(); ++i) {
        if (course_.gates()[i].kind == kind)
            return ids_[i];
    }
    return ECS::InvalidEntity;
}

ECS::EntityId EditorGates::addEntity(ECS::EntityManager& world, size_t index)
{
    const ECS::EntityId entity = world.createEntity();
    if (entity == ECS::InvalidEntity) {
        course_.remove(index);
        return ECS::InvalidEntity;
    }
    Component::TransformComponent transform;
    poseOf(course_.gates()[index].box).applyTo(transform);
    world.addComponent(entity, transform);
    ids_.push_back(entity);
    ++version_;
    return entity;
}

ECS::EntityId EditorGates::create(ECS::EntityManager& world, const Gate& gate)
{
    const std::optional<size_t> index = course_.add(gate);
    return index ? addEntity(world, *index) : ECS::InvalidEntity;
}

ECS::EntityId EditorGates::duplicate(ECS::EntityManager& world, ECS::EntityId entity, const BlockPose& pose)
{
    const std::optional<size_t> original = indexOf(entity);
    if (!original)
        return ECS::InvalidEntity;
    const std::optional<size_t> index = course_.duplicateCheckpoint(*original);
    if (!index)
        return ECS::InvalidEntity;
    course_.setBox(*index, boxOf(pose));
    return addEntity(world, *index);
}

void EditorGates::destroy(ECS::EntityManager& world, ECS::EntityId entity, BlockSerial serial)
{
    const std::optional<size_t> index = indexOf(entity);
    if (!index)
        return;
    if (serial != BlockSerials::kNone)
        buried[serial] = course_.gates()[*index];
    course_.remove(*index);
    ids_.erase(ids_.begin() + std::ptrdiff_t(*index));
    if (world.isAlive(entity) && !world.isDestroyPending(entity))
        world.destroyEntity(entity);
    ++version_;
}

std::optional<Gate> EditorGates::remembered(BlockSerial serial) const
{
    const auto it = buried.find(serial);
    if (it == buried.end())
        return std::nullopt;
    return it->second;
}

void EditorGates::setPose(ECS::EntityId entity, const BlockPose& pose)
{
    const std::optional<size_t> index = indexOf(entity);
    if (!index)
        return;
    course_.setBox(*index, boxOf(pose));
    ++version_;
}

bool EditorGates::setNumber(ECS::EntityId entity, int number)
{
    const std::optional<size_t> index = indexOf(entity);
    if (!index || !course_.setCheckpointNumber(*index, number))
        return false;
    ++version_;
    return true;
}

void EditorGates::clear(ECS::EntityManager& world)
{
    for (const ECS::EntityId entity : ids_) {
        if (world.isAlive(entity) && !world.isDestroyPending(entity))
            world.destroyEntity(entity);
    }
    ids_.clear();
    course_ = Course();
    buried.clear();
    ++version_;
}

bool EditorGates::load(ECS::EntityManager& world, const Course& course, std::uint32_t freeIds)
{
    clear(world);
    // Start, checkpoints by number, finish: each checkpoint then lands on its own number.
    std::vector<Gate> ordered = course.gates();
    std::stable_sort(ordered.begin(), ordered.end(), [](const Gate& a, const Gate& b) {
        const auto rank = [](const Gate& g) { return g.kind == GateKind::Start ? 0 : g.kind == GateKind::Finish ? 2 : 1; };
        return rank(a) != rank(b) ? rank(a) < rank(b) : a.number < b.number;
    });
    bool all = true;
    for (const Gate& gate : ordered) {
        if (freeIds == 0 || create(world, gate) == ECS::InvalidEntity) {
            all = false;
            continue;
        }
        --freeIds;
    }
    return all;
}

std::optional<EditorGates::Hit> EditorGates::pick(const glm::vec3& from, const glm::vec3& to) const
{
    std::optional<Hit> nearest;
    for (size_t i = 0; i < ids_.size(); ++i) {
        const std::optional<float> entered = GateCrossing::entry(course_.gates()[i].box, from, to);
        // At 0 the segment starts inside the box.
        if (entered && *entered > 0.0f && (!nearest || *entered < nearest->fraction))
            nearest = Hit{ids_[i], *entered};
    }
    return nearest;
}

} // namespace Game
