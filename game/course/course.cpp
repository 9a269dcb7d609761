#include "game/course/course.h"

#include "engine/core/assert.h"

#include <glm/trigonometric.hpp>

#include <algorithm>
#include <cmath>

namespace Game {
namespace {

// A facing axis whose horizontal part is this short points straight up or down: its yaw would
// be rounding noise.
constexpr float kVerticalFacing = 1e-5f;

} // namespace

float facingYaw(const OrientedBox& box)
{
    const glm::vec3 facing = box.rotation * glm::vec3(1.0f, 0.0f, 0.0f);
    if (std::fabs(facing.x) < kVerticalFacing && std::fabs(facing.y) < kVerticalFacing)
        return 0.0f;
    return glm::degrees(std::atan2(facing.y, facing.x));
}

const Gate* Course::find(GateKind kind) const
{
    for (const Gate& gate : gates_) {
        if (gate.kind == kind)
            return &gate;
    }
    return nullptr;
}

size_t Course::checkpointCount() const
{
    return size_t(std::count_if(gates_.begin(), gates_.end(),
                                [](const Gate& gate) { return gate.kind == GateKind::Checkpoint; }));
}

const Gate* Course::checkpoint(int number) const
{
    for (const Gate& gate : gates_) {
        if (gate.kind == GateKind::Checkpoint && gate.number == number)
            return &gate;
    }
    return nullptr;
}

std::optional<size_t> Course::add(const Gate& gate)
{
    if (gates_.size() >= kMaxGates || (gate.kind != GateKind::Checkpoint && find(gate.kind)))
        return std::nullopt;
    Gate added = gate;
    if (gate.kind != GateKind::Checkpoint) {
        added.number = 0;
        gates_.push_back(added);
        return gates_.size() - 1;
    }
    const int last = int(checkpointCount()) + 1;
    added.number = gate.number >= 1 && gate.number <= last ? gate.number : last;
    for (Gate& other : gates_) {
        if (other.kind == GateKind::Checkpoint && other.number >= added.number)
            ++other.number;
    }
    gates_.push_back(added);
    return gates_.size() - 1;
}

void Course::remove(size_t index)
{
    TX_ASSERT(index < gates_.size(), "no gate at this index");
    const Gate removed = gates_[index];
    gates_.erase(gates_.begin() + std::ptrdiff_t(index));
    if (removed.kind != GateKind::Checkpoint)
        return;
    for (Gate& other : gates_) {
        if (other.kind == GateKind::Checkpoint && other.number > removed.number)
            --other.number;
    }
}

void Course::setBox(size_t index, const OrientedBox& box)
{
    TX_ASSERT(index < gates_.size(), "no gate at this index");
    gates_[index].box = box;
}

bool Course::setCheckpointNumber(size_t index, int number)
{
    TX_ASSERT(index < gates_.size(), "no gate at this index");
    if (gates_[index].kind != GateKind::Checkpoint)
        return false;
    const int from = gates_[index].number;
    const int to = std::clamp(number, 1, int(checkpointCount()));
    for (Gate& other : gates_) {
        if (other.kind != GateKind::Checkpoint)
            continue;
        if (to > from && other.number > from && other.number <= to)
            --other.number;
        else if (to < from && other.number >= to && other.number < from)
            ++other.number;
    }
    gates_[index].number = to;
    return true;
}

std::optional<size_t> Course::duplicateCheckpoint(size_t index)
{
    TX_ASSERT(index < gates_.size(), "no gate at this index");
    if (gates_[index].kind != GateKind::Checkpoint)
        return std::nullopt;
    Gate copy = gates_[index];
    ++copy.number;
    return add(copy);
}

std::string Course::summary() const
{
    if (gates_.empty())
        return "Course: none";
    const size_t count = checkpointCount();
    std::string checkpoints = count == 0 ? "no checkpoints"
        : count == 1                     ? "1 checkpoint"
                                         : std::to_string(count) + " checkpoints";
    return std::string("Course: ") + (start() ? "start, " : "no start, ") + checkpoints
        + (finish() ? ", finish" : ", no finish");
}

} // namespace Game
