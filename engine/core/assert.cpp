#include "engine/core/assert.h"

#include <cstdio>
#include <cstdlib>

namespace Engine {

void assertFailed(const char* expression, const char* message, const char* file, int line)
{
    std::fflush(stdout);
    std::fprintf(stderr, "Assertion failed: %s (%s) at %s:%d\n", expression, message, file, line);
    std::fflush(stderr);
    std::abort();
}

} // namespace Engine
