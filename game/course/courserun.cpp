#include "game/course/courserun.h"

#include "game/course/gatecrossing.h"

namespace Game {

CourseRun::CourseRun(const Course& course)
{
    if (course.start())
        start_ = course.start()->box;
    if (course.finish())
        finish_ = course.finish()->box;
    const size_t count = course.checkpointCount();
    checkpoints_.reserve(count);
    for (int n = 1; n <= int(count); ++n)
        checkpoints_.push_back(course.checkpoint(n)->box);
    splits_.reserve(count);
}

void CourseRun::restart()
{
    phase_ = RunPhase::Waiting;
    elapsed_ = 0;
    splits_.clear();
    practiceUsed_ = practice_;
}

RunEvent CourseRun::step(const glm::vec3& from, const glm::vec3& to)
{
    if (phase_ == RunPhase::Finished || !start_ || !finish_)
        return RunEvent::None;
    if (phase_ == RunPhase::Waiting) {
        if (GateCrossing::contains(*start_, to))
            return RunEvent::None;
        phase_ = RunPhase::Running;
        elapsed_ = 1;
        const RunEvent crossed = crossGates(from, to);
        return crossed == RunEvent::None ? RunEvent::Started : crossed;
    }
    ++elapsed_;
    return crossGates(from, to);
}

RunEvent CourseRun::crossGates(const glm::vec3& from, const glm::vec3& to)
{
    RunEvent event = RunEvent::None;
    // Gates count in order along the segment too: one crossed earlier in the step than the
    // gate before it in the course does not count.
    float along = 0.0f;
    while (splits_.size() < checkpoints_.size()) {
        const std::optional<float> entry = GateCrossing::entry(checkpoints_[splits_.size()], from, to);
        if (!entry || *entry < along)
            return event;
        along = *entry;
        splits_.push_back(elapsed_);
        event = RunEvent::Checkpoint;
    }
    const std::optional<float> entry = GateCrossing::entry(*finish_, from, to);
    if (!entry || *entry < along)
        return event;
    phase_ = RunPhase::Finished;
    return RunEvent::Finished;
}

void CourseRun::setPractice(bool on)
{
    practice_ = on;
    if (on && phase_ != RunPhase::Finished)
        practiceUsed_ = true;
}

void CourseRun::setBest(const std::optional<RunTimes>& best)
{
    best_ = best;
}

bool CourseRun::beatsBest() const
{
    return phase_ == RunPhase::Finished && (!best_ || elapsed_ < best_->total);
}

std::optional<int64_t> CourseRun::lastSplitDelta() const
{
    if (splits_.empty() || !best_ || best_->splits.size() < splits_.size())
        return std::nullopt;
    return int64_t(splits_.back()) - int64_t(best_->splits[splits_.size() - 1]);
}

std::optional<uint32_t> CourseRun::stepsSinceLastSplit() const
{
    if (splits_.empty())
        return std::nullopt;
    return elapsed_ - splits_.back();
}

} // namespace Game
