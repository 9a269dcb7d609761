#pragma once
// One timed run over a course, driven by the game's 10 ms steps (never by wall time): the timer
// starts in the step that leaves the start gate, checkpoints count only in their order, and
// crossing the finish after every checkpoint ends the run. Each step's whole segment is tested,
// so no gate is skipped at any speed. Steps allocate nothing.
#include "game/course/course.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Game {

// The times of a finished run in steps: the whole run, and the time at each checkpoint in order.
struct RunTimes {
    uint32_t total = 0;
    std::vector<uint32_t> splits;
};

enum class RunPhase : uint8_t {
    Waiting,  // at the start, the timer not yet running
    Running,  // the timer runs
    Finished, // the finish was crossed; the time stands
};

// What a step brought about; a step that both passes a checkpoint and finishes reports Finished.
enum class RunEvent : uint8_t { None, Started, Checkpoint, Finished };

class CourseRun {
public:
    // A run over a copy of `course`'s gates. A course without a start or a finish never starts.
    explicit CourseRun(const Course& course);

    // Starts over, as after R: waiting at the start, no time, no checkpoint passed. A practice
    // mode that is on stays on (and marks the new run as practice).
    void restart();
    // One game step of the player moving from `from` to `to`.
    RunEvent step(const glm::vec3& from, const glm::vec3& to);

    // Switches practice on or off. A run during which practice was on at any moment never
    // counts as a record, even when practice is switched off before the finish.
    void setPractice(bool on);
    bool practice() const { return practice_; }
    // True for a finished run that practice never touched.
    bool recordable() const { return phase_ == RunPhase::Finished && !practiceUsed_; }

    // The best run to compare splits with; none clears it. Its splits beyond this course's
    // checkpoints are ignored.
    void setBest(const std::optional<RunTimes>& best);
    // True when this run is finished and faster than the best (or there is no best).
    bool beatsBest() const;

    RunPhase phase() const { return phase_; }
    // Steps since the timer started, including the step that left the start gate.
    uint32_t elapsedSteps() const { return elapsed_; }
    size_t checkpointCount() const { return checkpoints_.size(); }
    size_t checkpointsPassed() const { return splits_.size(); }
    // The elapsed steps at each checkpoint passed, in order.
    const std::vector<uint32_t>& splits() const { return splits_; }
    // The last checkpoint's split minus the best run's there (below 0 when ahead); none before
    // the first checkpoint or without a best run that has that checkpoint.
    std::optional<int64_t> lastSplitDelta() const;
    // Steps since the last checkpoint was passed; none before the first.
    std::optional<uint32_t> stepsSinceLastSplit() const;
    // The run's times (a copy: call it at the finish, not every step).
    RunTimes times() const { return {elapsed_, splits_}; }

private:
    // Counts the checkpoints and the finish that the segment crosses in order; the event.
    RunEvent crossGates(const glm::vec3& from, const glm::vec3& to);

    std::optional<OrientedBox> start_;
    std::optional<OrientedBox> finish_;
    std::vector<OrientedBox> checkpoints_;
    std::vector<uint32_t> splits_; // reserved for every checkpoint, so a step never allocates
    std::optional<RunTimes> best_;
    RunPhase phase_ = RunPhase::Waiting;
    uint32_t elapsed_ = 0;
    bool practice_ = false;
    bool practiceUsed_ = false;
};

} // namespace Game
