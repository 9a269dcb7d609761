#pragma once
// A course on a map: a start gate, checkpoints to pass in the order of their numbers, and a
// finish gate. Each gate is an oriented box volume. A course has at most one start and one
// finish, and its checkpoints are always numbered 1..N without gaps.
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Game {

// The unit cube around the origin scaled by twice `halfExtents`, turned by `rotation` and moved
// to `center`.
struct OrientedBox {
    glm::vec3 center{0.0f};
    glm::vec3 halfExtents{0.5f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f}; // w, x, y, z; unit length
};

enum class GateKind : uint8_t { Start, Checkpoint, Finish };

struct Gate {
    GateKind kind = GateKind::Checkpoint;
    // The checkpoint's place in the order, from 1; 0 for the start and the finish.
    int number = 0;
    OrientedBox box;
};

// The way a player spawned in `box` faces: its local +x axis, as a yaw in degrees (z up, from
// +x towards +y, as the camera counts it); 0 when that axis points (nearly) straight up or down.
float facingYaw(const OrientedBox& box);

class Course {
public:
    // The most gates a course holds, so that files and runs stay small.
    static constexpr size_t kMaxGates = 256;

    const std::vector<Gate>& gates() const { return gates_; }
    bool empty() const { return gates_.empty(); }

    // Adds `gate` and returns its index, or none when the course is full or already has the
    // start (or finish) that `gate` would be. A checkpoint numbered 1..N+1 takes that place and
    // the later ones move up by one; any other number appends it as N+1.
    std::optional<size_t> add(const Gate& gate);
    // Removes the gate at `index` (a valid index); later checkpoints move down by one.
    void remove(size_t index);
    // Moves the gate at `index` (a valid index) to `box`.
    void setBox(size_t index, const OrientedBox& box);
    // Gives the checkpoint at `index` the place `number`, clamped to 1..N, and moves the
    // checkpoints in between by one. False (nothing changed) when the gate is no checkpoint.
    bool setCheckpointNumber(size_t index, int number);
    // A copy of the checkpoint at `index` placed right after it in the order; none when the
    // gate is no checkpoint or the course is full.
    std::optional<size_t> duplicateCheckpoint(size_t index);

    // The start or finish gate, or nullptr when the course has none.
    const Gate* start() const { return find(GateKind::Start); }
    const Gate* finish() const { return find(GateKind::Finish); }
    size_t checkpointCount() const;
    // The checkpoint numbered `number` (1..N), or nullptr.
    const Gate* checkpoint(int number) const;
    // A course can be run once it has a start and a finish.
    bool playable() const { return start() && finish(); }

    // The editor's top-bar line: "Course: start, 3 checkpoints, finish", with "no start",
    // "no checkpoints" and "no finish" for what is missing, "1 checkpoint" for one, and
    // "Course: none" when there is no gate at all.
    std::string summary() const;

private:
    const Gate* find(GateKind kind) const;

    std::vector<Gate> gates_;
};

} // namespace Game
