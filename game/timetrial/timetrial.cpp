#include "game/timetrial/timetrial.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"

namespace Game {

TimeTrial::TimeTrial(const Course& course) : run_(course), spawn_(spawnOf(course))
{
    TX_ASSERT(course.playable(), "a time trial needs a course with a start and a finish");
}

RunSpawn TimeTrial::spawnOf(const Course& course)
{
    if (!course.start())
        return {}; // refused by the constructor's check
    const OrientedBox& box = course.start()->box;
    return {box.center, facingYaw(box)};
}

void TimeTrial::restart()
{
    run_.restart();
}

RunEvent TimeTrial::step(const glm::vec3& from, const glm::vec3& to)
{
    const RunEvent event = run_.step(from, to);
    if (event == RunEvent::Finished)
        Engine::logLine(std::string("RUN FINISHED ") + std::string(RunClock::format(run_.elapsedSteps()).view()));
    return event;
}

void TimeTrial::togglePractice()
{
    run_.setPractice(!run_.practice());
    if (!run_.practice())
        saved_.reset();
}

void TimeTrial::saveState(const PracticeState& state)
{
    if (run_.practice())
        saved_ = state;
}

std::optional<PracticeState> TimeTrial::restoreState() const
{
    return run_.practice() ? saved_ : std::nullopt;
}

void TimeTrial::setBest(const std::optional<RunTimes>& best)
{
    best_ = best;
    run_.setBest(best);
}

std::string TimeTrial::timerText() const
{
    if (run_.practice())
        return "PRACTICE";
    return std::string(RunClock::format(run_.elapsedSteps()).view());
}

std::optional<TimeTrial::Split> TimeTrial::split() const
{
    const std::optional<uint32_t> since = run_.stepsSinceLastSplit();
    if (run_.practice() || run_.phase() != RunPhase::Running || !since || *since >= kSplitShownSteps)
        return std::nullopt;
    const std::optional<int64_t> delta = run_.lastSplitDelta();
    if (!delta)
        return std::nullopt;
    return Split{std::string(RunClock::formatDelta(*delta).view()), *delta < 0};
}

std::string TimeTrial::finishTimeText() const
{
    if (run_.phase() != RunPhase::Finished)
        return {};
    return "Time " + std::string(RunClock::format(run_.elapsedSteps()).view());
}

std::string TimeTrial::finishBestText() const
{
    if (run_.phase() != RunPhase::Finished)
        return {};
    if (!newBest() && !best_)
        return "No best yet"; // a practice run over a course never finished
    const uint32_t best = newBest() ? run_.elapsedSteps() : best_->total;
    return "Best " + std::string(RunClock::format(best).view());
}

} // namespace Game
