#pragma once
// Internal invariants. Active in every build: a failure names the expression, the message,
// the source file and the line, then stops the program. Never use it on file content or
// other outside input; readers report bad input and return a safe result instead.

namespace Engine {
[[noreturn]] void assertFailed(const char* expression, const char* message, const char* file, int line);
}

#define TX_ASSERT(expression, message)                                                   \
    do {                                                                                 \
        if (!(expression))                                                               \
            ::Engine::assertFailed(#expression, (message), __FILE__, __LINE__);          \
    } while (false)
