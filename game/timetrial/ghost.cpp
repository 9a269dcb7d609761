#include "game/timetrial/ghost.h"

#include "game/course/runclock.h"
#include "game/course/runrecorder.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace Game {

void Ghost::race(const std::optional<RunRecord>& best)
{
    next.reset();
    samples.clear();
    cycleSeconds.clear();
    if (best)
        take(*best);
    steps = 0;
}

void Ghost::raceNext(const RunRecord& best) { next = best; }

void Ghost::take(const RunRecord& best)
{
    samples = best.ghost;
    interval = std::max<uint8_t>(best.ghostInterval, 1);
    waitSteps = best.inputSteps > best.times.total ? best.inputSteps - best.times.total : 0;
    // The legs' animation time at each sample: it runs at the ground speed's share of the
    // cycle's own pace, and holds while the ghost swings.
    const float sampleSeconds = float(interval) / float(RunClock::kStepsPerSecond);
    cycleSeconds.assign(samples.size(), 0.0f);
    for (size_t i = 1; i < samples.size(); ++i) {
        const GhostSample& from = samples[i - 1];
        const glm::vec3 move = samples[i].position - from.position;
        const float speed = glm::length(glm::vec2(move.x, move.y)) / sampleSeconds;
        const float rate = from.roped || !std::isfinite(speed) ? 0.0f : std::min(speed / kCycleSpeed, kMaxCycleRate);
        cycleSeconds[i] = cycleSeconds[i - 1] + rate * sampleSeconds;
    }
}

void Ghost::restart()
{
    if (next) {
        take(*next);
        next.reset();
    }
    steps = 0;
}

void Ghost::follow(RunPhase phase)
{
    if (phase == RunPhase::Waiting)
        steps = 0;
    else if (steps < RunRecordFile::kMaxSteps)
        ++steps;
}

double Ghost::recordedStep(float alpha) const
{
    if (steps == 0)
        return double(waitSteps);
    return double(waitSteps) + double(steps) - 1.0 + double(glm::clamp(alpha, 0.0f, 1.0f));
}

GhostPlace Ghost::placeAt(double step) const
{
    GhostPlace place;
    if (samples.empty())
        return place;
    if (!std::isfinite(step))
        step = 0.0;
    const GhostSample pose = ghostPoseAt(samples, interval, step);
    place.position = pose.position;
    place.yaw = pose.yaw;
    place.roped = pose.roped;
    place.anchor = pose.anchor;
    const double at = std::clamp(step / interval, 0.0, double(samples.size() - 1));
    const size_t index = size_t(at);
    const size_t after = std::min(index + 1, samples.size() - 1);
    place.runningSeconds = glm::mix(cycleSeconds[index], cycleSeconds[after], float(at - double(index)));
    return place;
}

} // namespace Game
