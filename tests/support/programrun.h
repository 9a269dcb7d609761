#pragma once
// Running the built programs from tests (a shell command, its status and everything it printed)
// and reading back the screenshots they save.
#include "tests/support/tempdir.h"

#include <SDL.h>

#include <filesystem>
#include <memory>
#include <string>

namespace TestSupport {

struct ProgramRun {
    int status = -1; // exit status; -1 when the program did not end normally
    std::string output; // standard output and standard error together
};

// Runs `command` through the shell with standard error joined to standard output.
ProgramRun runCommand(const std::string& command);

// `text` quoted for the shell as one word.
std::string shellQuoted(const std::string& text);

// The folder of the built programs: $TX_BIN_DIR, else "build/bin".
std::filesystem::path binaryFolder();

// The built program `name`, as a shell word.
std::string program(const std::string& name);

// Runs the built tetherix-autoplay on `script`. With `home` given, the game runs with HOME there
// and without the caller's XDG_CONFIG_HOME, so it sees a user of its own.
ProgramRun runAutoplay(const std::filesystem::path& script, const std::filesystem::path& home = {});
// The same, drawing only the frames that the script's screenshots save (--shots-only).
ProgramRun runAutoplayShotsOnly(const std::filesystem::path& script, const std::filesystem::path& home);

// Copies the autoplay script `script` (a path from the repository root) into `dir`, its
// screenshots saved into `dir` instead of build/shots/. The copy's path; empty when the script
// cannot be read.
std::filesystem::path scriptWithShotsIn(const TempDir& dir, const std::filesystem::path& script);

// The whole content of `file`, byte for byte; "" when it cannot be read.
std::string fileText(const std::filesystem::path& file);

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Image = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The PNG file as 8-bit RGBA rows, top row first; null when it cannot be read.
Image loadRgba(const std::filesystem::path& file);

// Fraction of the pixels from (x0, y0) to (x1, y1), window pixels counted from the top-left
// corner, whose colour passes `test(r, g, b)`.
template <class Test>
double fractionOf(const SDL_Surface& image, int x0, int y0, int x1, int y1, Test test)
{
    size_t passed = 0;
    for (int y = y0; y < y1; ++y) {
        const auto* row = static_cast<const Uint8*>(image.pixels) + y * image.pitch;
        for (int x = x0; x < x1; ++x)
            passed += test(row[x * 4], row[x * 4 + 1], row[x * 4 + 2]) ? 1 : 0;
    }
    return static_cast<double>(passed) / (static_cast<double>(x1 - x0) * (y1 - y0));
}

// Fraction of the pixels from (x0, y0) to (x1, y1) whose colour differs by more than a little
// between two images of one size.
double changedFraction(const SDL_Surface& a, const SDL_Surface& b, int x0, int y0, int x1, int y1);

} // namespace TestSupport
