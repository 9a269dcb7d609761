#pragma once
// Run times as the HUD shows them. A run is counted in 10 ms game steps, so one step is one
// hundredth of a second on every machine and at every frame rate.
#include <cstdint>
#include <string_view>

namespace Game::RunClock {

constexpr uint32_t kStepsPerSecond = 100;

// A short text in a fixed buffer, so that the HUD can show times every frame without allocating.
struct TimeText {
    char text[24] = {};
    std::string_view view() const { return text; }
};

// `steps` as m:ss.cc: minutes without leading zeros (as many as it takes), seconds and
// hundredths with two digits each ("0:00.00", "1:05.30", "125:00.01").
TimeText format(uint64_t steps);
// A split against the best run: "-" and the time when ahead (`deltaSteps` below 0), "+" and the
// time when behind or level ("-0:00.50", "+1:02.03", "+0:00.00").
TimeText formatDelta(int64_t deltaSteps);

} // namespace Game::RunClock
