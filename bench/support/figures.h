#pragma once
// The timing and figures helpers every benchmark prints with.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <limits>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace BenchSupport {

using Clock = std::chrono::steady_clock;

inline double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

inline double msSince(Clock::time_point from) { return msBetween(from, Clock::now()); }

// CPU time of the calling thread in milliseconds, so that other programs competing for the
// machine do not count.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Milliseconds since the kernel started this process (10 ms resolution), or -1.
inline double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    if (afterName == std::string::npos)
        return -1.0;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) {
            timespec now{};
            clock_gettime(CLOCK_BOOTTIME, &now);
            const double startMs = std::stod(field) * 1000.0 / double(sysconf(_SC_CLK_TCK));
            return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6 - startMs;
        }
    }
    return -1.0;
}

// The one-minute load average, or -1 where the system cannot tell it.
inline double loadAverage()
{
    double load[1] = {-1.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

inline double mean(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
}

inline double worst(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

inline double least(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

struct BestPair {
    double first = std::numeric_limits<double>::max();
    double second = std::numeric_limits<double>::max();
};

// The least of `rounds` samples of each of two measurements, taken in turn, so that other load
// on the machine weighs on both figures alike.
template <class First, class Second>
BestPair bestOfAlternating(int rounds, First&& first, Second&& second)
{
    BestPair best;
    for (int round = 0; round < rounds; ++round) {
        best.first = std::min(best.first, first());
        best.second = std::min(best.second, second());
    }
    return best;
}

} // namespace BenchSupport
