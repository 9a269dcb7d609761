#pragma once
// Records a run as it is played: every step's input on a tape and the ghost's pose every few
// steps, into buffers reserved up front for ten minutes, so that steps allocate nothing (a
// longer run grows them, rarely, and one over RunRecordFile::kMaxSteps stops recording).
#include "game/course/runinput.h"
#include "game/course/runrecord.h"

#include <optional>

namespace Game {

class RunRecorder {
public:
    // Steps between two ghost samples: 25 samples a second.
    static constexpr uint8_t kGhostInterval = 4;
    // The run length the buffers are reserved for.
    static constexpr uint32_t kReservedSteps = 10 * 60 * 100;

    RunRecorder();

    // Starts a new recording at the restart, with the ghost's pose there as its first sample.
    void restart(const GhostSample& spawn);
    // Records one step: its input, and the pose at its end when it completes an interval.
    void step(const StepInput& input, const GhostSample& pose);

    uint32_t steps() const { return steps_; }
    // False once the run went past the longest a record holds.
    bool complete() const { return !overflowed_; }
    // The record of the run that ended with `times`; none when the recording is incomplete. A
    // run that ends between two samples gets its last pose as one more, at the next whole
    // interval, so that its ghost reaches the finish.
    std::optional<RunRecord> record(uint64_t courseKey, const RunTimes& times, const CameraMath::LookSettings& look) const;

private:
    std::vector<uint8_t> input_;
    std::vector<GhostSample> ghost_;
    GhostSample lastPose_;
    uint32_t steps_ = 0;
    bool overflowed_ = false;
};

// The ghost's pose `step` steps after the restart (fractions between steps allowed), between
// the two samples around it: position and facing interpolated, the rope as in the earlier one.
// The last sample's pose after the end; a default pose without samples.
GhostSample ghostPoseAt(const RunRecord& record, double step);
// The same over `samples` taken every `interval` steps.
GhostSample ghostPoseAt(const std::vector<GhostSample>& samples, uint8_t interval, double step);

} // namespace Game
