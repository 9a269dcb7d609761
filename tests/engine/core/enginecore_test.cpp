#include "engine/core/enginecore.h"

#include "engine/gfx/gldriver.h"
#include "tests/support/scriptedsource.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include <unistd.h>

using Engine::EngineCore;
using TestSupport::ScriptedSource;

namespace {

// Records what the engine hands it in each update.
struct RecordingGame final : Engine::GamePrototype {
    explicit RecordingGame(EngineCore& engine) : engine(engine) {}

    void init() override { ++inits; }
    void update() override
    {
        ++updates;
        texts = engine.textInput;
        rel = {engine.mouse->relX, engine.mouse->relY};
        wheel = engine.mouse->wheel;
        if (onUpdate)
            onUpdate();
    }
    void render(float alpha) override { alphas.push_back(alpha); }
    void shutdown() override { ++shutdowns; }
    bool closeRequested() override
    {
        ++closeRequests;
        return allowClose;
    }

    EngineCore& engine;
    int inits = 0;
    int updates = 0;
    int shutdowns = 0;
    int closeRequests = 0;
    bool allowClose = true;
    std::vector<float> alphas;
    std::vector<std::string> texts;
    std::pair<int, int> rel;
    int wheel = 0;
    std::function<void()> onUpdate;
};

class EngineLoopTest : public ::testing::Test {
protected:
    EngineLoopTest() : engine(&source), game(engine)
    {
        engine.game = &game;
        engine.createInputState(nullptr);
        engine.stepMs = 10;
    }

    // Runs one frame that arrives `elapsedMs` after the previous one.
    int frameAfter(Uint32 elapsedMs)
    {
        source.now += elapsedMs;
        return engine.runFrame();
    }

    ScriptedSource source;
    EngineCore engine;
    RecordingGame game;
};

} // namespace

TEST_F(EngineLoopTest, RunsWholeStepsAndInterpolatesTheRest)
{
    EXPECT_EQ(frameAfter(25), 2);
    EXPECT_EQ(game.updates, 2);
    ASSERT_EQ(game.alphas.size(), 1u);
    EXPECT_FLOAT_EQ(game.alphas.back(), 0.5f);

    // A frame sooner than one step runs no update but still renders.
    EXPECT_EQ(frameAfter(3), 0);
    EXPECT_FLOAT_EQ(game.alphas.back(), 0.8f);
    EXPECT_EQ(frameAfter(2), 1);
    EXPECT_FLOAT_EQ(game.alphas.back(), 0.0f);
    EXPECT_EQ(source.swaps, 3);
}

TEST_F(EngineLoopTest, CapsStepsAtTenAndDropsTheEleventh)
{
    EXPECT_EQ(frameAfter(135), 10);
    EXPECT_EQ(engine.accumulator, 25u) << "11 steps taken, the rest carries over";
    EXPECT_FLOAT_EQ(game.alphas.back(), 1.0f);
    EXPECT_EQ(frameAfter(0), 2);
    EXPECT_EQ(engine.accumulator, 5u);
    EXPECT_EQ(game.updates, 12);
}

TEST_F(EngineLoopTest, WithoutInterpolationFramesWithoutUpdatesShowNothing)
{
    engine.interpolate = false;
    EXPECT_EQ(frameAfter(5), 0);
    EXPECT_EQ(frameAfter(7), 1);
    EXPECT_EQ(game.alphas, std::vector<float>{1.0f});
    EXPECT_EQ(source.swaps, 1);
}

TEST_F(EngineLoopTest, AveragesTheLastSixtyFourFrames)
{
    frameAfter(64);
    for (int i = 0; i < 64; ++i)
        frameAfter(10); // the last one overwrites the 64 ms entry
    EXPECT_FLOAT_EQ(engine.averageFrameMs, 10.0f);
    EXPECT_EQ(engine.frameIndex, 1u);
}

TEST_F(EngineLoopTest, ReadsEventsOnlyInsideSteps)
{
    source.text("h");
    source.motion(5, 5);
    frameAfter(4); // no step: nothing is read
    EXPECT_EQ(source.pending.size(), 2u);
    EXPECT_EQ(game.updates, 0);

    source.text("\xC3\xA9"); // "é"
    frameAfter(6);
    EXPECT_EQ(game.texts, (std::vector<std::string>{"h", "\xC3\xA9"}));
    EXPECT_EQ(game.rel, std::make_pair(5, 5));

    frameAfter(10); // a step in which nothing happened
    EXPECT_TRUE(game.texts.empty());
    EXPECT_EQ(game.rel, std::make_pair(0, 0));
}

TEST_F(EngineLoopTest, SumsMotionAndWheelNotchesWithinBounds)
{
    source.motion(2, 0);
    source.motion(3, -1);
    source.motion(-1, 4);
    source.wheel(-1);
    source.wheel(3); // a fast wheel reports several notches in one event
    frameAfter(10);
    EXPECT_EQ(game.rel, std::make_pair(4, 3));
    EXPECT_EQ(game.wheel, 2);

    source.wheel(1);
    source.wheel(-1);
    frameAfter(10);
    EXPECT_EQ(game.wheel, 0);

    // Sums that would overflow saturate instead; the wheel is bounded to a gesture's worth.
    source.motion(INT_MAX, INT_MIN);
    source.motion(INT_MAX, INT_MIN);
    source.wheel(INT_MAX);
    source.wheel(INT_MAX);
    frameAfter(10);
    EXPECT_EQ(game.rel, std::make_pair(INT_MAX, INT_MIN));
    EXPECT_EQ(game.wheel, Engine::MouseState::kMaxWheelNotches);
    source.wheel(INT_MIN);
    frameAfter(10);
    EXPECT_EQ(game.wheel, -Engine::MouseState::kMaxWheelNotches);
}

TEST_F(EngineLoopTest, ResetRelativeSilencesOneStep)
{
    source.motion(7, 8);
    source.wheel(1);
    engine.mouse->discardRelativeMotion();
    frameAfter(10);
    EXPECT_EQ(game.rel, std::make_pair(0, 0));
    EXPECT_EQ(game.wheel, 0);
    EXPECT_FALSE(engine.mouse->resetRelative);

    source.motion(7, 8);
    frameAfter(10);
    EXPECT_EQ(game.rel, std::make_pair(7, 8));
}

TEST_F(EngineLoopTest, SnapshotsKeysButtonsAndPointerPerStep)
{
    source.keys[SDL_SCANCODE_W] = 1;
    source.buttons = SDL_BUTTON_RMASK;
    source.pointerX = 100;
    source.pointerY = 30;
    source.windowHeight = 720;
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->isPressed(SDL_SCANCODE_W));
    EXPECT_TRUE(engine.mouse->buttonPressed(1));
    EXPECT_EQ(engine.mouse->posX, 100);
    EXPECT_EQ(engine.mouse->posY, 690) << "counted from the bottom edge";

    frameAfter(3); // no step: the snapshots stay as they were
    EXPECT_TRUE(engine.keyboard->isPressed(SDL_SCANCODE_W));

    source.keys[SDL_SCANCODE_W] = 0;
    source.buttons = 0;
    frameAfter(7);
    EXPECT_FALSE(engine.keyboard->isDown(SDL_SCANCODE_W));
    EXPECT_TRUE(engine.mouse->buttonReleased(1));
}

// A tap whose press and release reach the same poll, as remote desktops, assistive tools and
// touchpad taps deliver it, is one press in its step and one release in the next.
TEST_F(EngineLoopTest, TapsWithinOneStepGiveOnePressAndOneRelease)
{
    source.tapKey(SDL_SCANCODE_ESCAPE);
    source.tapButton(SDL_BUTTON_LEFT);
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->isPressed(SDL_SCANCODE_ESCAPE));
    EXPECT_TRUE(engine.mouse->buttonPressed(0));
    EXPECT_FALSE(engine.mouse->buttonReleased(0));

    frameAfter(10);
    EXPECT_FALSE(engine.keyboard->isPressed(SDL_SCANCODE_ESCAPE));
    EXPECT_FALSE(engine.keyboard->isDown(SDL_SCANCODE_ESCAPE));
    EXPECT_FALSE(engine.mouse->buttonPressed(0));
    EXPECT_TRUE(engine.mouse->buttonReleased(0)) << "a click in release mode fires in this step";

    frameAfter(10);
    EXPECT_FALSE(engine.mouse->buttonReleased(0)) << "exactly one release";
}

// Both clicks of a double click can reach one poll when frames are slow; the count keeps them.
TEST_F(EngineLoopTest, CountsThePressesThatReachOneStep)
{
    source.tapButton(SDL_BUTTON_LEFT);
    source.tapButton(SDL_BUTTON_LEFT);
    source.tapButton(SDL_BUTTON_RIGHT);
    frameAfter(10);
    EXPECT_TRUE(engine.mouse->buttonPressed(0));
    EXPECT_EQ(engine.mouse->pressCount(0), 2);
    EXPECT_EQ(engine.mouse->pressCount(1), 1);
    EXPECT_EQ(engine.mouse->pressCount(2), 0);
    EXPECT_EQ(engine.mouse->pressCount(3), 0) << "no such button";

    frameAfter(10);
    EXPECT_EQ(engine.mouse->pressCount(0), 2) << "kept for the release that ends the click";
    source.tapButton(SDL_BUTTON_LEFT);
    frameAfter(10);
    EXPECT_EQ(engine.mouse->pressCount(0), 1);
}

TEST_F(EngineLoopTest, HeldKeysArePressedOnceAndRepressesCount)
{
    source.keys[SDL_SCANCODE_SPACE] = 1;
    source.keyEvent(SDL_SCANCODE_SPACE, true);
    source.buttons = SDL_BUTTON_LMASK;
    source.buttonEvent(SDL_BUTTON_LEFT, true);
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->isPressed(SDL_SCANCODE_SPACE));

    source.keyEvent(SDL_SCANCODE_SPACE, true, true); // the system's key repeat is no new press
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->isDown(SDL_SCANCODE_SPACE));
    EXPECT_FALSE(engine.keyboard->isPressed(SDL_SCANCODE_SPACE)) << "a held key is not pressed again";
    EXPECT_FALSE(engine.mouse->buttonPressed(0));

    // Released and pressed again within one step: still held at its end, and pressed anew.
    source.keyEvent(SDL_SCANCODE_SPACE, false);
    source.keyEvent(SDL_SCANCODE_SPACE, true);
    source.buttonEvent(SDL_BUTTON_LEFT, false);
    source.buttonEvent(SDL_BUTTON_LEFT, true);
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->isPressed(SDL_SCANCODE_SPACE));
    EXPECT_TRUE(engine.mouse->buttonPressed(0));
}

TEST_F(EngineLoopTest, ModifiersAcceptEitherKey)
{
    source.keys[SDL_SCANCODE_RCTRL] = 1;
    source.keys[SDL_SCANCODE_RSHIFT] = 1;
    source.keys[SDL_SCANCODE_LALT] = 1;
    frameAfter(10);
    EXPECT_TRUE(engine.keyboard->ctrlDown());
    EXPECT_TRUE(engine.keyboard->shiftDown());
    EXPECT_TRUE(engine.keyboard->altDown());
    source.keys[SDL_SCANCODE_RCTRL] = source.keys[SDL_SCANCODE_RSHIFT] = source.keys[SDL_SCANCODE_LALT] = 0;
    source.keys[SDL_SCANCODE_RALT] = 1;
    frameAfter(10);
    EXPECT_FALSE(engine.keyboard->ctrlDown());
    EXPECT_FALSE(engine.keyboard->shiftDown());
    EXPECT_TRUE(engine.keyboard->altDown());
}

TEST_F(EngineLoopTest, QuitEventEndsTheLoopAfterTheNextFrame)
{
    source.advancePerCall = 10; // every frame is one step long
    source.plain(SDL_KEYDOWN);  // held back and dropped: no effect
    SDL_Event drop{};
    drop.type = SDL_DROPFILE; // its file name is freed when dropped (the sanitizer build checks)
    drop.drop.file = SDL_strdup("/tmp/dropped.rmap");
    source.pending.push_back(drop);
    source.plain(SDL_QUIT);
    game.onUpdate = [this] {
        // The quit polled in the first step is only acted on when the second frame starts.
        if (game.updates == 1) {
            EXPECT_FALSE(engine.quit);
        }
    };
    engine.mainLoop();
    EXPECT_EQ(game.inits, 1);
    EXPECT_EQ(game.updates, 2);
    EXPECT_EQ(game.alphas.size(), 2u);
    EXPECT_EQ(game.shutdowns, 0) << "shutting down belongs to run()";
}

TEST_F(EngineLoopTest, ClosingTheWindowAsksTheGameFirst)
{
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    game.allowClose = false;
    source.pending.push_back(close);
    frameAfter(10);
    frameAfter(10);
    EXPECT_EQ(game.closeRequests, 1);
    EXPECT_FALSE(engine.quit) << "the game keeps running while it asks";

    game.allowClose = true;
    source.pending.push_back(close);
    frameAfter(10);
    frameAfter(10);
    EXPECT_EQ(game.closeRequests, 2);
    EXPECT_TRUE(engine.quit);
}

// Start-up and shut-down with the real SDL, each in a fresh process (death-test style) so that
// SDL's global state is the child's own. Console output goes to stderr there so it can be matched.
namespace {

struct ConsoleGame final : Engine::GamePrototype {
    explicit ConsoleGame(EngineCore& engine) : engine(engine) {}
    void platformStarted() override
    {
        std::fprintf(stderr, "platform started, %s\n", SDL_GL_GetCurrentContext() ? "with a context" : "no context yet");
    }
    void init() override
    {
        Engine::GFX::keepGLDriverLoaded();
        std::fprintf(stderr, "init window \"%s\"\n", SDL_GetWindowTitle(engine.window->window));
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, 1024, nullptr, GL_STATIC_DRAW);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    void update() override {}
    void render(float) override { glClear(GL_COLOR_BUFFER_BIT); }
    void shutdown() override
    {
        if (SDL_GL_GetCurrentContext() == nullptr) {
            std::fprintf(stderr, "shutdown without a context\n");
            return;
        }
        const bool wasBuffer = glIsBuffer(buffer) == GL_TRUE;
        glDeleteBuffers(1, &buffer);
        std::fprintf(stderr, "shutdown freed buffer %d, GL error %u\n", wasBuffer, glGetError());
    }
    EngineCore& engine;
    GLuint buffer = 0;
};

[[noreturn]] void runEngineWithDriver(const char* driver)
{
    if (driver)
        setenv("SDL_VIDEODRIVER", driver, 1);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    EngineCore engine;
    ConsoleGame game(engine);
    engine.game = &game;
    std::exit(engine.run());
}

} // namespace

TEST(EngineStartUpDeathTest, SdlThatCannotStartEndsWithFailure)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(runEngineWithDriver("no-such-driver"), ::testing::ExitedWithCode(1),
                "START ENGINE\nSDL could not initialize! SDL Error: .+\nFailed to initialize!\nshutdown without");
}

TEST(EngineStartUpDeathTest, WindowWithoutOpenGLEndsWithFailure)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(runEngineWithDriver("dummy"), ::testing::ExitedWithCode(1),
                "Window could not be created! SDL Error: .*OpenGL.*\nFailed to initialize!");
}

TEST(EngineStartUpDeathTest, RunsAndFreesGameObjectsBeforeTheContextGoes)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The GL driver may print lines of its own between ours (about the session's runtime folder,
    // say), so the lines are matched in order with anything between them.
    EXPECT_EXIT(runEngineWithDriver(nullptr), ::testing::ExitedWithCode(0),
                "START ENGINE\n(.*\n)?platform started, no context yet\n(.*\n)?init window \"Engine\"\n(.*\n)?shutdown "
                "freed buffer 1, GL error 0\n");
}
