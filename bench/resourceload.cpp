// Start-up time: from entering main to "All ressources loaded.", the way the game starts (SDL
// video, a 1280 x 720 OpenGL 3.3 core window, GLEW, then every graphics resource). Run it from
// the repository root; under Xvfb it measures Mesa's software renderer, and with
// MESA_SHADER_CACHE_DIR=$(mktemp -d) a start with a cold shader cache.
// The resources print a progress line before each group of their loading; standard output goes
// through a pipe while they load, so each line is timed as it arrives and each group's time is
// the time to the next line.
#include "bench/support/figures.h"
#include "bench/support/glwindow.h"
#include "engine/core/log.h"
#include "game/resources/renderresources.h"

#include <GL/glew.h>
#include <SDL.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using BenchSupport::Clock;
using BenchSupport::msBetween;
using BenchSupport::msSince;

using StampedLine = std::pair<Clock::time_point, std::string>;

// Sends standard output into a pipe and stamps every line read from it with its arrival time,
// until finish() puts standard output back.
class LineStamper {
public:
    bool start()
    {
        int ends[2];
        if (pipe(ends) != 0)
            return false;
        std::fflush(stdout);
        savedStdout = dup(STDOUT_FILENO);
        dup2(ends[1], STDOUT_FILENO);
        close(ends[1]);
        reader = std::thread([this, readEnd = ends[0]] { readLines(readEnd); });
        return true;
    }

    std::vector<StampedLine> finish()
    {
        std::fflush(stdout);
        dup2(savedStdout, STDOUT_FILENO); // closes the pipe's last write end: the reader sees its end
        close(savedStdout);
        reader.join();
        return std::move(lines);
    }

private:
    void readLines(int readEnd)
    {
        std::string pending;
        char buffer[4096];
        ssize_t count = 0;
        while ((count = read(readEnd, buffer, sizeof buffer)) > 0) {
            const Clock::time_point now = Clock::now();
            for (ssize_t i = 0; i < count; ++i) {
                if (buffer[i] != '\n') {
                    pending += buffer[i];
                    continue;
                }
                lines.emplace_back(now, pending);
                pending.clear();
            }
        }
        close(readEnd);
    }

    int savedStdout = -1;
    std::thread reader;
    std::vector<StampedLine> lines;
};

// The window as the game opens it; false, with a line on standard error, when it cannot.
bool openGameWindow(BenchSupport::GlWindow& gl)
{
    if (!gl.startVideo()) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return false;
    }
    if (!gl.open("Engine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720, SDL_WINDOW_OPENGL)) {
        std::fprintf(stderr, "window or GL context: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

struct ResourceLoad {
    std::unique_ptr<Game::RenderResources> resources;
    Clock::time_point loadStart;
    Clock::time_point loadEnd;
    double totalMs = 0.0; // from main to "All ressources loaded."
    std::vector<StampedLine> lines; // the progress lines, stamped as they arrived
};

// Every graphics resource loaded, its progress lines stamped, to "All ressources loaded.".
ResourceLoad loadResources(Clock::time_point start)
{
    ResourceLoad load;
    LineStamper stamper;
    const bool stamping = stamper.start();
    load.loadStart = Clock::now();
    load.resources = std::make_unique<Game::RenderResources>(1280, 720);
    glFinish();
    load.loadEnd = Clock::now();
    Engine::logLine("All ressources loaded.");
    load.totalMs = msSince(start);
    if (stamping)
        load.lines = stamper.finish();
    return load;
}

void printResourceLoad(double windowMs, const ResourceLoad& load)
{
    std::printf("window and context: %.1f ms\n", windowMs);
    const std::vector<StampedLine>& lines = load.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Clock::time_point end = i + 1 < lines.size() ? lines[i + 1].first : load.loadEnd;
        if (lines[i].first < load.loadEnd)
            std::printf("  %-28s %6.1f ms\n", lines[i].second.c_str(), msBetween(lines[i].first, end));
    }
    const double loadMs = msBetween(load.loadStart, load.loadEnd);
    std::printf("resources: %.1f ms\nstart to \"All ressources loaded.\": %.1f ms\n", loadMs, load.totalMs);
    std::printf("resources share of start-up: %.2f\n", loadMs / load.totalMs);
}

} // namespace

int main()
{
    const Clock::time_point start = Clock::now();
    BenchSupport::GlWindow gl;
    if (!openGameWindow(gl))
        return 1;
    const double windowMs = msSince(start);
    const ResourceLoad load = loadResources(start);
    printResourceLoad(windowMs, load);
    return 0;
}
