#include "game/course/runrecorder.h"

#include <algorithm>
#include <cmath>

namespace Game {
namespace {

// The input bytes a step takes on average while the mouse moves.
constexpr size_t kReservedBytesPerStep = 4;

// `a` turned towards `b` by `t` along the shorter way round, in degrees.
float blendYaw(float a, float b, float t)
{
    const float turn = std::remainder(b - a, 360.0f);
    return a + turn * t;
}

} // namespace

RunRecorder::RunRecorder()
{
    input_.reserve(size_t(kReservedSteps) * kReservedBytesPerStep);
    ghost_.reserve(kReservedSteps / kGhostInterval + 1);
}

void RunRecorder::restart(const GhostSample& spawn)
{
    input_.clear();
    ghost_.clear();
    ghost_.push_back(spawn);
    lastPose_ = spawn;
    steps_ = 0;
    overflowed_ = false;
}

void RunRecorder::step(const StepInput& input, const GhostSample& pose)
{
    if (overflowed_ || steps_ >= RunRecordFile::kMaxSteps) {
        overflowed_ = true;
        return;
    }
    RunInput::append(input_, input);
    ++steps_;
    lastPose_ = pose;
    if (steps_ % kGhostInterval == 0)
        ghost_.push_back(pose);
}

std::optional<RunRecord> RunRecorder::record(uint64_t courseKey, const RunTimes& times,
                                             const CameraMath::LookSettings& look) const
{
    if (overflowed_ || times.total == 0 || times.total > steps_)
        return std::nullopt;
    RunRecord record;
    record.courseKey = courseKey;
    record.times = times;
    record.look = look;
    record.inputSteps = steps_;
    record.input = input_;
    record.ghostInterval = kGhostInterval;
    record.ghost = ghost_;
    if (steps_ % kGhostInterval != 0)
        record.ghost.push_back(lastPose_);
    return record;
}

GhostSample ghostPoseAt(const RunRecord& record, double step)
{
    return ghostPoseAt(record.ghost, record.ghostInterval, step);
}

GhostSample ghostPoseAt(const std::vector<GhostSample>& samples, uint8_t interval, double step)
{
    if (samples.empty() || interval == 0)
        return {};
    const double at = std::max(0.0, step) / interval;
    const size_t index = size_t(std::min(at, double(samples.size() - 1)));
    if (index + 1 >= samples.size())
        return samples.back();
    const GhostSample& a = samples[index];
    const GhostSample& b = samples[index + 1];
    const float t = float(at - double(index));
    GhostSample pose = a;
    pose.position = glm::mix(a.position, b.position, t);
    pose.yaw = blendYaw(a.yaw, b.yaw, t);
    return pose;
}

} // namespace Game
