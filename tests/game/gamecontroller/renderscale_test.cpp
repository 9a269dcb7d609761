#include "game/gamecontroller/renderscale.h"

#include "engine/config/settings.h"

#include <gtest/gtest.h>

using Game::AutoRenderScale;

namespace {

// Frames of `frameMs` each for `seconds` seconds of the injected clock, from `clock` on.
void showFrames(AutoRenderScale& scale, double& clock, double frameMs, double seconds)
{
    for (const double end = clock + seconds * 1000.0; clock < end;) {
        clock += frameMs;
        scale.frameShown(clock);
    }
}

// A hitch, then frames as above: the measuring starts at the hitch.
void phase(AutoRenderScale& scale, double& clock, double frameMs, double seconds)
{
    clock += 1000.0;
    scale.frameShown(clock);
    showFrames(scale, clock, frameMs, seconds);
}

} // namespace

TEST(AutoRenderScaleTest, StepsDownWhenSlowAndUpWhenFastWithAMarginBetween)
{
    AutoRenderScale scale;
    double clock = 5000.0;
    EXPECT_EQ(scale.percent(), 100);
    phase(scale, clock, 16.0, 3.0);
    EXPECT_EQ(scale.percent(), 100) << "60 frames a second hold";

    phase(scale, clock, 25.0, 0.9);
    EXPECT_EQ(scale.percent(), 100) << "not before a second is measured";
    showFrames(scale, clock, 25.0, 0.2);
    EXPECT_EQ(scale.percent(), 75);
    showFrames(scale, clock, 25.0, 1.05);
    EXPECT_EQ(scale.percent(), 50);
    phase(scale, clock, 40.0, 3.0);
    EXPECT_EQ(scale.percent(), 50) << "50% is the lowest step";

    // 10 ms at 50% would be 22.5 ms at 75%: too slow to step up, fast enough to stay.
    phase(scale, clock, 10.0, 3.0);
    EXPECT_EQ(scale.percent(), 50);
    phase(scale, clock, 5.0, 1.01);
    EXPECT_EQ(scale.percent(), 75);
    // 9 ms at 75% would be 16 ms at 100%: within 16.7 but not within the margin.
    phase(scale, clock, 9.0, 3.0);
    EXPECT_EQ(scale.percent(), 75);
    phase(scale, clock, 7.0, 1.01);
    EXPECT_EQ(scale.percent(), 100);
    phase(scale, clock, 1.0, 3.0);
    EXPECT_EQ(scale.percent(), 100) << "100% is the highest step";

    scale.restart();
    showFrames(scale, clock, 30.0, 0.99);
    EXPECT_EQ(scale.percent(), 100);
}

TEST(AutoRenderScaleTest, AHitchOrAClockGoingBackStartsTheMeasuringAgain)
{
    AutoRenderScale scale;
    double clock = 0.0;
    showFrames(scale, clock, 16.0, 0.5);
    clock += 2000.0; // a map loading
    scale.frameShown(clock);
    showFrames(scale, clock, 16.0, 0.6);
    EXPECT_EQ(scale.percent(), 100) << "the hitch is not a slow second";
    double back = clock - 500.0;
    scale.frameShown(back);
    showFrames(scale, back, 30.0, 0.9);
    EXPECT_EQ(scale.percent(), 100);
    showFrames(scale, back, 30.0, 0.2);
    EXPECT_EQ(scale.percent(), 75);
}

TEST(RenderScaleTest, FollowsTheSettingAndChoosesAutoOnASoftwareRenderer)
{
    AutoRenderScale automatic;
    EXPECT_EQ(Game::renderScalePercent(Engine::kRenderScaleAuto, automatic), 100);
    EXPECT_EQ(Game::renderScalePercent(75, automatic), 75);
    EXPECT_EQ(Game::renderScalePercent(Engine::kRenderScaleUnset, automatic), 100);

    testing::internal::CaptureStdout();
    EXPECT_EQ(Game::firstStartRenderScale("llvmpipe (LLVM 15.0.7, 256 bits)"), Engine::kRenderScaleAuto);
    EXPECT_EQ(Game::firstStartRenderScale("Software Rasterizer"), Engine::kRenderScaleAuto);
    EXPECT_EQ(Game::firstStartRenderScale("Mesa Intel(R) UHD Graphics 620"), 100);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("Render scale: Auto, as the OpenGL renderer draws in software (llvmpipe"),
              std::string::npos);
    EXPECT_NE(output.find("Render scale: 100%, as the OpenGL renderer is a GPU (Mesa Intel"), std::string::npos);
}
