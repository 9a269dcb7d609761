// Start-up time: from entering main to "All ressources loaded.", the way the game starts (SDL
// video, a 1280 x 720 OpenGL 3.3 core window, GLEW, then every graphics resource). Run it from
// the repository root; under Xvfb it measures Mesa's software renderer, and with
// MESA_SHADER_CACHE_DIR=$(mktemp -d) a start with a cold shader cache.
// The resources print a progress line before each group of their loading; standard output goes
// through a pipe while they load, so each line is timed as it arrives and each group's time is
// the time to the next line.
#include "bench/support/benchsource.h"
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

} // namespace

int main()
{
    const Clock::time_point start = Clock::now();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window = SDL_CreateWindow("Engine", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "window or GL context: %s\n", SDL_GetError());
        return 1;
    }
    glewExperimental = GL_TRUE;
    glewInit();
    while (glGetError() != GL_NO_ERROR) {
    }
    const double windowMs = msSince(start);

    LineStamper stamper;
    const bool stamping = stamper.start();
    const Clock::time_point loadStart = Clock::now();
    auto resources = std::make_unique<Game::RenderResources>(1280, 720);
    glFinish();
    const Clock::time_point loadEnd = Clock::now();
    Engine::logLine("All ressources loaded.");
    const double totalMs = msSince(start);
    const std::vector<StampedLine> lines = stamping ? stamper.finish() : std::vector<StampedLine>{};

    std::printf("window and context: %.1f ms\n", windowMs);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Clock::time_point end = i + 1 < lines.size() ? lines[i + 1].first : loadEnd;
        if (lines[i].first < loadEnd)
            std::printf("  %-28s %6.1f ms\n", lines[i].second.c_str(), msBetween(lines[i].first, end));
    }
    const double loadMs = msBetween(loadStart, loadEnd);
    std::printf("resources: %.1f ms\nstart to \"All ressources loaded.\": %.1f ms\n", loadMs, totalMs);
    std::printf("resources share of start-up: %.2f\n", loadMs / totalMs);
    resources.reset();
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
