#include "engine/autoplay/autoplaysource.h"

#include "engine/core/enginecore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Engine::EngineCore;
using Engine::Autoplay::AutoplaySource;
using Engine::Autoplay::Script;
using Outcome = AutoplaySource::Outcome;

namespace {

// What the game saw in one update.
struct Seen {
    int x = 0;
    int y = 0;
    int relX = 0;
    int relY = 0;
    int wheel = 0;
    std::vector<std::string> text;
};

struct WatchingGame final : Engine::GamePrototype {
    explicit WatchingGame(EngineCore& engine) : engine(engine) {}
    void init() override {}
    void update() override
    {
        const Engine::MouseState& mouse = *engine.mouse;
        seen.push_back({mouse.x, mouse.y, mouse.relX, mouse.relY, mouse.wheel, engine.textInput});
        if (onUpdate)
            onUpdate(static_cast<int>(seen.size()));
        ASSERT_LT(seen.size(), 1000u) << "the script never ended the run";
        if (seen.size() >= 1000u)
            engine.quit = true;
    }
    void render(float) override { ++frames; }
    void shutdown() override {}

    EngineCore& engine;
    std::vector<Seen> seen;
    int frames = 0;
    std::function<void(int update)> onUpdate;
};

// Runs the engine's loop on a script until the run ends.
struct ScriptRun {
    explicit ScriptRun(std::string_view text) : source(parse(text)), engine(&source), game(engine)
    {
        engine.game = &game;
        engine.createInputState(nullptr);
        engine.stepMs = 10;
    }

    static Script parse(std::string_view text)
    {
        Engine::Autoplay::ScriptError error;
        std::optional<Script> script = Script::parse(text, error);
        EXPECT_TRUE(script) << error.message;
        return script ? *script : Script();
    }

    void play() { engine.mainLoop(); }

    AutoplaySource source;
    EngineCore engine;
    WatchingGame game;
};

} // namespace

TEST(AutoplaySourceTest, WaitsRunExactUpdatesAndQuitEndsTheLoop)
{
    ScriptRun run("wait 3\n# a pause\nwait 2\nquit\nwait 50\n");
    run.play();
    EXPECT_EQ(run.game.seen.size(), 6u) << "five waited updates and the one that reads the quit";
    EXPECT_EQ(run.source.outcome(), Outcome::Finished);
    EXPECT_EQ(run.source.line(), 4);
    EXPECT_FLOAT_EQ(run.engine.averageFrameMs * 64.0f, 60.0f) << "the clock moved 10 ms per update";

    ScriptRun ends("wait 2");
    ends.play();
    EXPECT_EQ(ends.game.seen.size(), 3u) << "the end of the script quits like quit";
    EXPECT_EQ(ends.source.outcome(), Outcome::Finished);
}

TEST(AutoplaySourceTest, PointerStaysInTheWindowUnlessCaptured)
{
    ScriptRun run("mouse 100 50\nwait 1\n"
                  "mouseby 1000 0\nwheel down\nwait 1\n" // stops at the right edge of 640
                  "wait 1\n"                             // the game captures the pointer here
                  "mouseby 1000 -20\nwait 1\n"           // captured: all of it is motion
                  "mouse 200 200\nwait 1\n"              // from the mouse's last place, not the pointer's
                  "wait 1\n"                             // released and warped here
                  "mouseby 5 5\nwait 1\n");
    run.game.onUpdate = [&](int update) {
        if (update == 3)
            run.engine.loopSource().setRelativeMouseMode(true);
        if (update == 6) {
            run.engine.loopSource().setRelativeMouseMode(false);
            run.engine.loopSource().warpMouse(nullptr, 320, 240);
        }
    };
    run.play();
    const auto& seen = run.game.seen;
    ASSERT_GE(seen.size(), 7u);
    EXPECT_EQ(std::make_pair(seen[0].x, seen[0].y), std::make_pair(100, 50));
    EXPECT_EQ(std::make_pair(seen[0].relX, seen[0].relY), std::make_pair(100, 50));
    EXPECT_EQ(std::make_pair(seen[1].x, seen[1].relX), std::make_pair(639, 539));
    EXPECT_EQ(seen[1].wheel, -1);
    EXPECT_EQ(seen[2].wheel, 0) << "a notch lasts one update";
    EXPECT_EQ(std::make_pair(seen[3].relX, seen[3].relY), std::make_pair(1000, -20));
    EXPECT_EQ(std::make_pair(seen[3].x, seen[3].y), std::make_pair(639, 50)) << "a captured pointer stays";
    EXPECT_EQ(std::make_pair(seen[4].relX, seen[4].relY), std::make_pair(200 - 1639, 200 - 30));
    EXPECT_EQ(std::make_pair(seen[6].x, seen[6].y), std::make_pair(325, 245));
    EXPECT_EQ(std::make_pair(seen[6].relX, seen[6].relY), std::make_pair(5, 5)) << "the warp is no motion";
}

TEST(AutoplaySourceTest, TextArrivesPerCharacterOnlyWhileTextInputIsOn)
{
    ScriptRun run("text ab\nwait 1\n" // text input is off: nothing arrives
                  "wait 1\n"          // a text field turns it on here
                  "text h\xC3\xA9!\nwait 1\nwait 1\nquit");
    run.game.onUpdate = [&](int update) {
        if (update == 2)
            run.engine.loopSource().startTextInput();
    };
    testing::internal::CaptureStdout();
    run.play();
    const std::string console = testing::internal::GetCapturedStdout();
    ASSERT_GE(run.game.seen.size(), 4u);
    EXPECT_TRUE(run.game.seen[0].text.empty());
    EXPECT_EQ(run.game.seen[2].text, (std::vector<std::string>{"h", "\xC3\xA9", "!"}));
    EXPECT_TRUE(run.game.seen[3].text.empty());
    EXPECT_EQ(console, "Autoplay: line 1: text input is off in the game, the text is not typed\n");
}

TEST(AutoplaySourceTest, DrawingOnlyScreenshotsDrawsJustTheFramesTheySave)
{
    ScriptRun everyFrame("wait 5\nwait 5\nquit");
    everyFrame.play();
    EXPECT_EQ(everyFrame.game.frames, 13) << "the first frame, before any update, and one a frame after";

    ScriptRun noShots("wait 5\nwait 5\nquit");
    noShots.source.drawOnlyScreenshots(true);
    noShots.play();
    EXPECT_EQ(noShots.game.seen.size(), 11u) << "every update still runs";
    EXPECT_EQ(noShots.game.frames, 0);

    ScriptRun oneShot("wait 3\nmouse 5 5\nscreenshot unsaved.png\nwait 100\nquit");
    oneShot.source.drawOnlyScreenshots(true);
    testing::internal::CaptureStdout();
    oneShot.play();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(oneShot.game.frames, 1) << "the frame the screenshot saves";
    EXPECT_EQ(oneShot.game.seen.size(), 4u) << "the failed screenshot ends the run one update on";
}

TEST(AutoplaySourceTest, FailedScreenshotEndsTheRun)
{
    ScriptRun run("wait 1\nscreenshot unsaved.png\nwait 100\nquit");
    testing::internal::CaptureStdout();
    run.play();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(run.source.outcome(), Outcome::Failed);
    EXPECT_EQ(run.game.seen.size(), 2u);
    EXPECT_NE(console.find("Autoplay: line 2: cannot save unsaved.png: there is no window to read"),
              std::string::npos) << console;
}

TEST(AutoplaySourceTest, CapturedMotionSaturatesInsteadOfWrapping)
{
    // Each move is within bounds, but a captured mouse has no edges: many of them add up.
    std::string text = "wait 1\n";
    for (int i = 0; i < 40000; ++i)
        text += "mouseby 32767 -32767\n";
    text += "wait 1\nmouseby -5 0\nwait 1\n";
    ScriptRun run(text);
    run.game.onUpdate = [&](int update) {
        if (update == 1)
            run.engine.loopSource().setRelativeMouseMode(true);
    };
    run.play();
    const auto& seen = run.game.seen;
    ASSERT_GE(seen.size(), 3u);
    EXPECT_GT(seen[1].relX, 0) << "moves to the right never read as a move to the left";
    EXPECT_LT(seen[1].relY, 0);
    EXPECT_EQ(seen[2].relX, -5) << "saturated at the far end, the mouse still moves back";
}

TEST(AutoplaySourceTest, QuitFromOutsideInterruptsTheScript)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    ScriptRun run("wait 5\nwait 100\nquit");
    run.game.onUpdate = [&](int update) {
        if (update == 3) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    };
    testing::internal::CaptureStdout();
    run.play();
    testing::internal::GetCapturedStdout();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    EXPECT_EQ(run.source.outcome(), Outcome::Interrupted);
    EXPECT_LE(run.game.seen.size(), 5u);
}

TEST(AutoplaySourceTest, TheWindowsCloseButtonIsTheGamesToAnswer)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    struct AskingGame final : Engine::GamePrototype {
        void init() override {}
        void update() override { ++updates; }
        void render(float) override {}
        void shutdown() override {}
        bool closeRequested() override { return ++asked == 2; } // refuses once, then agrees
        int updates = 0;
        int asked = 0;
    };
    const auto pushClose = [] {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
    };
    AutoplaySource source(ScriptRun::parse("wait 3\nwait 100\nquit"));
    EngineCore engine(&source);
    AskingGame game;
    engine.game = &game;
    engine.createInputState(nullptr);
    engine.stepMs = 10;
    const auto runFrames = [&](int frames) {
        for (int frame = 0; frame < frames && !engine.quit; ++frame)
            engine.runFrame();
    };
    pushClose();
    runFrames(3); // the event is read in an update and answered when the next frame starts
    EXPECT_EQ(game.asked, 1);
    EXPECT_FALSE(engine.quit) << "the game refused: the run goes on";
    pushClose();
    runFrames(3);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
    EXPECT_EQ(game.asked, 2);
    EXPECT_TRUE(engine.quit);
    EXPECT_TRUE(source.windowCloseSeen());
}
