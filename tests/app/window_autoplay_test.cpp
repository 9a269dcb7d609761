// Plays tests/autoplay/window.txt on the real game with a fresh home folder: the Options screen,
// "Back" saving the settings, play at two window sizes and the rope reel. Checks that the
// screenshots have the window's size and that the view is laid out for it, not stretched.
#include "engine/config/settings.h"
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The crosshair, 12 x 12 pixels at the middle of the window: its four white arms, and none beyond.
bool crosshairCentred(const SDL_Surface& image)
{
    const int x = image.w / 2;
    const int y = image.h / 2;
    const auto white = [](int r, int g, int b) { return std::min({r, g, b}) >= 240; };
    // Its arms: two pixels wide through the middle, three long each side of a small gap.
    return TestSupport::fractionOf(image, x - 1, y - 5, x + 1, y - 2, white) == 1.0 &&
           TestSupport::fractionOf(image, x - 1, y + 2, x + 1, y + 5, white) == 1.0 &&
           TestSupport::fractionOf(image, x - 5, y - 1, x - 2, y + 1, white) == 1.0 &&
           TestSupport::fractionOf(image, x + 2, y - 1, x + 5, y + 1, white) == 1.0 &&
           TestSupport::fractionOf(image, x - 1, y - 7, x + 1, y - 6, white) == 0.0;
}

} // namespace

TEST(WindowAutoplayTest, OptionsThenPlayAtTwoWindowSizes)
{
    const TestSupport::TempDir dir;
    const auto scriptFile = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/window.txt");
    ASSERT_FALSE(scriptFile.empty());
    const auto home = dir.path() / "home";
    std::filesystem::create_directories(home);

    const TestSupport::ProgramRun run = TestSupport::runAutoplay(scriptFile, home);
    ASSERT_EQ(run.status, 0) << run.output;

    // "Back" saved the settings as they were after the steps down and up again.
    const auto saved = home / ".config" / "tetherix" / "config.cfg";
    EXPECT_NE(run.output.find("Settings saved to " + saved.string() + "\n"), std::string::npos) << run.output;
    EXPECT_EQ(Engine::loadSettings(saved).fieldOfView, 110);

    const auto shot = [&dir](const char* name) { return TestSupport::loadRgba(dir.path() / name); };
    const TestSupport::Image options = shot("window-1-options.png");
    const TestSupport::Image large = shot("window-2-play-1280x720.png");
    const TestSupport::Image small = shot("window-3-play-960x600.png");
    const TestSupport::Image rope = shot("window-4-rope.png");
    ASSERT_TRUE(options && large && small && rope) << run.output;

    // The Options column: dark from x = 32 to 608, the height of the window.
    EXPECT_GT(TestSupport::fractionOf(*options, 40, 560, 600, 700, [](int r, int g, int b) { return r + g + b < 90; }),
              0.95);
    EXPECT_EQ(large->w, 1280);
    EXPECT_EQ(large->h, 720);
    EXPECT_EQ(small->w, 960);
    EXPECT_EQ(small->h, 600);
    // The crosshair sits at the middle of either window at its own size of 12 pixels.
    EXPECT_TRUE(crosshairCentred(*large));
    EXPECT_TRUE(crosshairCentred(*small));
    EXPECT_TRUE(crosshairCentred(*rope));
}
