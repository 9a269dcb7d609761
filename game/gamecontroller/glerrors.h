#pragma once
// Reporting of OpenGL errors once per update: one console line per error, bounded, because a
// lost context answers every query with an error for ever.
#include <GL/glew.h>

#include <cstdio>
#include <functional>
#include <string_view>

namespace Game {

// How many error lines one drain writes at most, and how many errors it reads at most.
constexpr int kMaxReportedGlErrors = 8;
constexpr int kMaxDrainedGlErrors = 256;

// "INVALID_ENUM", "INVALID_VALUE", "INVALID_OPERATION", "OUT_OF_MEMORY",
// "INVALID_FRAMEBUFFER_OPERATION"; "" for any other code.
std::string_view glErrorName(GLenum error);

// `path` from its project folder on ("game/gamecontroller/gamecontroller.cpp"), whatever the
// compiler was handed; the path as given when it names no project folder.
std::string_view projectRelativePath(std::string_view path);

struct GlErrorDrain {
    int reported = 0; // lines written
    int dropped = 0;  // errors read but not written
    bool gaveUp = false; // stopped at kMaxDrainedGlErrors with errors possibly left
};

// Reads errors from `nextError` until it answers GL_NO_ERROR or kMaxDrainedGlErrors were read.
// Writes "GL_" + name + " - " + file + ":" + line for each of the first kMaxReportedGlErrors to
// `out`, then one line saying how many more were dropped.
GlErrorDrain drainGlErrors(const std::function<GLenum()>& nextError, std::FILE* out, std::string_view file, int line);

// The same with glGetError to standard error.
GlErrorDrain drainGlErrors(std::string_view file, int line);

} // namespace Game
