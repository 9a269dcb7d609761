#include "engine/core/windowservice.h"

#include "engine/core/enginecore.h"
#include "tests/support/gltest.h"
#include "tests/support/scriptedsource.h"

#include <gtest/gtest.h>

#include <vector>

using Engine::WindowShape;
using TestSupport::ScriptedSource;

namespace {

// The service over the test process's hidden window, its requests answered by a scripted source.
class WindowServiceTest : public TestSupport::GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        engine.window = std::make_unique<Engine::WindowContext>(640, 480);
        engine.window->window = SDL_GL_GetCurrentWindow();
        engine.window->handle = std::make_unique<Engine::WindowHandle>();
    }
    // The hidden window belongs to the test process, not to this engine.
    void TearDown() override { engine.window->window = nullptr; }

    static WindowShape windowed(int width, int height, int swapInterval = 1)
    {
        return {false, width, height, swapInterval, {320, 240}};
    }

    ScriptedSource source;
    Engine::EngineCore engine{&source};
    Engine::WindowService service{engine};
};

} // namespace

TEST_F(WindowServiceTest, WindowedSizeChangesOnlyWhenItDiffers)
{
    source.windowWidth = 640;
    source.windowHeight = 480;
    service.apply(windowed(640, 480));
    EXPECT_EQ(source.windowRequests, (std::vector<std::string>{"swap 1"})) << "nothing to resize";
    EXPECT_EQ(source.minimumSize, (std::pair{320, 240}));
    EXPECT_EQ(engine.window->handle->swapInterval, 1);

    service.apply(windowed(800, 600, 0));
    EXPECT_EQ(source.windowRequests, (std::vector<std::string>{"swap 1", "swap 0", "size 800x600"}));
    EXPECT_EQ(source.windowWidth, 800);
    EXPECT_EQ(engine.window->handle->swapInterval, 0);
}

TEST_F(WindowServiceTest, FullScreenTakesTheNearestModeAndComesBackToTheWindowedSize)
{
    service.apply({true, 1280, 720, 1, {320, 240}});
    EXPECT_TRUE(source.fullscreen);
    EXPECT_EQ(source.fullscreenMode, (std::pair{1280, 720}));
    service.apply({true, 1920, 1080, 1, {320, 240}});
    EXPECT_EQ(source.fullscreenMode, (std::pair{1920, 1080})) << "a new resolution while full screen";

    source.windowRequests.clear();
    source.windowWidth = 1920; // full screen leaves the window at the mode's size
    service.apply(windowed(1920, 1080));
    EXPECT_FALSE(source.fullscreen);
    EXPECT_EQ(source.windowRequests, (std::vector<std::string>{"swap 1", "fullscreen off", "size 1920x1080"}))
        << "leaving full screen sizes and centres the window even at the same size";
}

TEST_F(WindowServiceTest, AdaptiveVsyncFallsBackToVsyncWhereTheDriverRefusesIt)
{
    source.adaptiveVsync = false;
    testing::internal::CaptureStdout();
    service.apply(windowed(640, 480, -1));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(source.swapInterval, 1);
    EXPECT_NE(console.find("Adaptive vsync is not available here"), std::string::npos) << console;
}

TEST_F(WindowServiceTest, IconTitleGrabPointerAndModesGoThroughTheSource)
{
    source.iconReadable = false;
    testing::internal::CaptureStdout();
    service.setIcon("missing/icon.png");
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(source.iconPath, "missing/icon.png");
    EXPECT_NE(console.find("missing/icon.png"), std::string::npos) << "an unreadable icon is named: " << console;

    service.setTitle("Engine *");
    service.grabPointer(true);
    service.showSystemPointer(false);
    EXPECT_EQ(source.windowTitle, "Engine *");
    EXPECT_TRUE(source.pointerGrabbed);
    EXPECT_FALSE(source.cursorShown);

    source.modes = {{1024, 768}, {640, 480}};
    EXPECT_EQ(service.displayModes(), (std::vector<glm::ivec2>{{1024, 768}, {640, 480}}));
}

TEST_F(WindowServiceTest, CapturingThePointerDropsTheJumpAndCentringWarpsToTheMiddle)
{
    engine.createInputState(nullptr);
    engine.mouse->relX = 300;
    service.capturePointer(true);
    EXPECT_TRUE(source.relativeMouseMode);
    EXPECT_EQ(engine.mouse->relX, 0) << "the capture's jump is no movement";
    EXPECT_TRUE(engine.mouse->resetRelative);
    service.capturePointer(false);
    EXPECT_FALSE(source.relativeMouseMode);

    source.windowWidth = 800;
    source.windowHeight = 600;
    service.centrePointer();
    ASSERT_EQ(source.warps.size(), 1u);
    EXPECT_EQ(source.warps[0], std::make_pair(400, 300));
}

TEST(WindowServiceWithoutWindowTest, OnlyTheSwapIntervalIsSet)
{
    ScriptedSource source;
    Engine::EngineCore engine(&source);
    Engine::WindowService service(engine);
    service.apply({true, 800, 600, 0, {320, 240}});
    service.setTitle("Engine *");
    service.grabPointer(true);
    EXPECT_EQ(source.windowRequests, (std::vector<std::string>{"swap 0"}));
    EXPECT_FALSE(source.fullscreen);
    EXPECT_EQ(source.windowTitle, "Engine");
    EXPECT_FALSE(source.pointerGrabbed);
    EXPECT_TRUE(service.displayModes().empty());
}
