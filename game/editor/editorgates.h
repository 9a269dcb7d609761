#pragma once
// The course's gates as the editor holds them. Each gate is an entity with a transform only (no
// collider, no mesh: the frame draws the course), so that the editor's selection, handles and
// history treat it as they treat a block. The transform's position, scale and rotation are the
// gate box's centre, full size and rotation. The course and the entities are kept index by index
// in step. A gate the editor destroys is remembered by its serial, so that undo and redo bring
// back the same kind and number.
#include "engine/ecs/entitymanager.h"
#include "game/course/course.h"
#include "game/editor/blockpose.h"
#include "game/editor/blockserials.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace Game {

class EditorGates {
public:
    // Full sizes of new gates: the start a pad to stand in, checkpoints and the finish thin walls
    // across the way (their local x axis is the way through, as the start's is its facing).
    static constexpr glm::vec3 kStartSize{2.0f, 3.0f, 3.0f};
    static constexpr glm::vec3 kCheckpointSize{0.5f, 6.0f, 4.0f};
    static constexpr glm::vec3 kFinishSize{0.5f, 6.0f, 4.0f};

    static OrientedBox boxOf(const BlockPose& pose);
    static BlockPose poseOf(const OrientedBox& box);
    // A new gate of `kind` standing on `ground`, its local x axis turned `yawDegrees` about z.
    static BlockPose newPose(GateKind kind, const glm::vec3& ground, float yawDegrees);
    // "Start", "Checkpoint" or "Finish".
    static const char* kindName(GateKind kind);

    const Course& course() const { return course_; }
    // Grows with every change of the course, so that its views know when to update.
    std::uint64_t version() const { return version_; }
    const std::vector<ECS::EntityId>& entities() const { return ids_; }
    bool contains(ECS::EntityId entity) const;
    // The gate that `entity` is, or nullptr.
    const Gate* gateOf(ECS::EntityId entity) const;
    // The entity of the course's start or finish, or ECS::InvalidEntity.
    ECS::EntityId entityOf(GateKind kind) const;

    // A new gate entity at `gate`'s box, added to the course as Course::add adds it;
    // ECS::InvalidEntity (nothing made) when the course refuses it.
    ECS::EntityId create(ECS::EntityManager& world, const Gate& gate);
    // A copy of the checkpoint `entity` at `pose`, numbered right after it; ECS::InvalidEntity
    // for a start or finish, or when the course is full.
    ECS::EntityId duplicate(ECS::EntityManager& world, ECS::EntityId entity, const BlockPose& pose);
    // Destroys the gate and remembers it (kind and number) under `serial`.
    void destroy(ECS::EntityManager& world, ECS::EntityId entity, BlockSerial serial);
    // The gate destroyed under `serial`, if any.
    std::optional<Gate> remembered(BlockSerial serial) const;
    // The gate's box follows its entity's new place.
    void setPose(ECS::EntityId entity, const BlockPose& pose);
    // The checkpoint's place in the order (Course::setCheckpointNumber); false for other gates.
    bool setNumber(ECS::EntityId entity, int number);

    // Destroys every gate entity and forgets the course and the remembered gates.
    void clear(ECS::EntityManager& world);
    // Replaces the gates with `course`'s; false when some gate found no entity id.
    bool load(ECS::EntityManager& world, const Course& course, std::uint32_t freeIds);

    struct Hit {
        ECS::EntityId gate = ECS::InvalidEntity;
        float fraction = 0.0f; // along from→to, where the box is entered
    };
    // The gate whose box the segment `from`→`to` enters first; gates `from` stands in are not
    // met, so that the view out of a gate can still be clicked.
    std::optional<Hit> pick(const glm::vec3& from, const glm::vec3& to) const;

private:
    std::optional<size_t> indexOf(ECS::EntityId entity) const;
    ECS::EntityId addEntity(ECS::EntityManager& world, size_t index);

    Course course_;
    std::vector<ECS::EntityId> ids_; // ids_[i] is the entity of course_.gates()[i]
    std::unordered_map<BlockSerial, Gate> buried;
    std::uint64_t version_ = 0;
};

} // namespace Game
