// Whole autoplay runs, each in a fresh process (death-test style) so that SDL's global state and
// the X server are the child's own. The child checks its screenshots itself and reports on stderr.
#include "engine/autoplay/autoplaydriver.h"

#include "tests/support/tempdir.h"

#include <GL/glew.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using Engine::EngineCore;

namespace {

// Paints the window green while the left button is held, grey otherwise; Escape ends the game.
struct PaintGame final : Engine::GamePrototype {
    explicit PaintGame(EngineCore& engine) : engine(engine) {}
    void init() override
    {
        std::fprintf(stderr, "game started\n");
        engine.stepMs = 10;
        engine.accumulator = 0;
        engine.lastTicks = engine.loopSource().ticks();
    }
    void update() override
    {
        if (engine.keyboard->isPressed(SDL_SCANCODE_ESCAPE))
            engine.quit = true;
    }
    void render(float) override
    {
        const bool held = engine.mouse->buttonDown(0);
        glClearColor(held ? 0.0f : 0.2f, held ? 1.0f : 0.2f, held ? 0.0f : 0.2f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void shutdown() override {}
    EngineCore& engine;
};

// Writes "name r g b\n" for the centre pixel of a screenshot, or "name missing\n".
void reportCentre(const std::filesystem::path& file, const char* name)
{
    SDL_Surface* image = IMG_Load(file.c_str());
    if (!image) {
        std::fprintf(stderr, "%s missing\n", name);
        return;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_RGBA32, 0);
    const auto* pixel = static_cast<const Uint8*>(rgba->pixels) + (rgba->h / 2) * rgba->pitch + (rgba->w / 2) * 4;
    std::fprintf(stderr, "%s %dx%d %d %d %d\n", name, image->w, image->h, pixel[0], pixel[1], pixel[2]);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(image);
}

// Runs `script` with PaintGame in this (child) process, reports the screenshots, then exits with
// the run's status. Console output goes to stderr so that the parent can match it.
[[noreturn]] void runInChild(const TestSupport::TempDir& dir, const std::string& script, bool withoutDisplay)
{
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (withoutDisplay)
        unsetenv("DISPLAY");
    const auto file = dir.write("script.txt", script);
    const int status = Engine::Autoplay::runAutoplay(
        file, [](EngineCore& engine) { return std::make_unique<PaintGame>(engine); });
    reportCentre(dir.path() / "held.png", "held");
    reportCentre(dir.path() / "free.png", "free");
    std::error_code ignored;
    std::filesystem::remove_all(dir.path(), ignored);
    std::exit(status);
}

} // namespace

TEST(AutoplayDriverDeathTest, ScriptErrorNamesTheLineBeforeTheGameStarts)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TestSupport::TempDir dir;
    EXPECT_EXIT(runInChild(dir, "wait 1\njmup\n", false), ::testing::ExitedWithCode(1),
                "Autoplay: [^\n]*script.txt:2: unknown command \"jmup\"[^\n]*\nheld missing\nfree missing\n$");
}

TEST(AutoplayDriverDeathTest, PlaysTheScriptOnAPrivateXServerAndSavesFrames)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const TestSupport::TempDir dir;
    const std::string script = "mouse 320 240\nmousedown left\nwait 2\n"
                               "screenshot " + (dir.path() / "held.png").string() + "\n"
                               "mouseup left\nwait 2\n"
                               "screenshot " + (dir.path() / "free.png").string() + "\nquit\n";
    EXPECT_EXIT(runInChild(dir, script, true), ::testing::ExitedWithCode(0),
                "game started\n(.*\n)?Autoplay: saved [^\n]*held.png\nAutoplay: saved [^\n]*free.png\n"
                "(.*\n)?held 640x480 0 255 0\nfree 640x480 51 51 51\n$");
}
