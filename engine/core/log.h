#pragma once
// Console output shared by the whole program: progress and diagnostic lines on standard output.
#include <string_view>

namespace Engine {

// Writes `line` and a newline to standard output.
void logLine(std::string_view line);

// printf-style write to standard output (no newline added).
void logf(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Engine
