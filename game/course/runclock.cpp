#include "game/course/runclock.h"

#include <cinttypes>
#include <cstdio>

namespace Game::RunClock {
namespace {

constexpr uint64_t kStepsPerMinute = 60 * kStepsPerSecond;

TimeText formatSigned(const char* sign, uint64_t steps)
{
    TimeText out;
    std::snprintf(out.text, sizeof out.text, "%s%" PRIu64 ":%02u.%02u", sign, steps / kStepsPerMinute,
                  unsigned(steps % kStepsPerMinute / kStepsPerSecond), unsigned(steps % kStepsPerSecond));
    return out;
}

} // namespace

TimeText format(uint64_t steps)
{
    return formatSigned("", steps);
}

TimeText formatDelta(int64_t deltaSteps)
{
    if (deltaSteps < 0)
        return formatSigned("-", uint64_t(0) - uint64_t(deltaSteps));
    return formatSigned("+", uint64_t(deltaSteps));
}

} // namespace Game::RunClock
