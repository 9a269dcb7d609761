// Runs the built tetherix-autoplay ($TX_BIN_DIR/tetherix-autoplay) on the real game from the
// repository root and checks what its screenshots show, region by region (no golden images).
#include "engine/autoplay/script.h"
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using TestSupport::fileText;
using TestSupport::fractionOf;
using TestSupport::Image;
using TestSupport::loadRgba;
using TestSupport::ProgramRun;
using TestSupport::runAutoplay;

// Kinds of pixel: sky blue (blue well above red), bright (grid lines, lit faces, clouds), dark
// (the floor's slate, shaded faces) and neutral grey.
bool blue(int r, int, int b) { return b >= r + 40 && b >= 140; }
bool bright(int r, int g, int b) { return (r * 3 + g * 6 + b) / 10 >= 150; }
bool dark(int r, int g, int b) { return (r * 3 + g * 6 + b) / 10 < 120; }
bool neutral(int r, int g, int b) { return std::max({r, g, b}) - std::min({r, g, b}) <= 30; }

// Fraction of the rectangle, given in fractions of the image's size, whose pixels are of `kind`.
double share(const SDL_Surface& image, double l, double t, double r, double b, bool (*kind)(int, int, int))
{
    return fractionOf(image, int(l * image.w), int(t * image.h), int(r * image.w), int(b * image.h), kind);
}

// The menu column's dark backdrop (32 to 288 across) veils the scene above the buttons.
bool menuColumnShown(const SDL_Surface& image)
{
    return fractionOf(image, 40, 20, 280, 300, [](int r, int g, int b) { return r + g + b < 90; }) > 0.95;
}

// Share of white text pixels in the middle of the menu button whose top edge is `top`.
double buttonText(const SDL_Surface& image, int top)
{
    return fractionOf(image, 64, top + 8, 256, top + 40, [](int r, int g, int b) { return std::min({r, g, b}) >= 200; });
}

// Mean red of the left end of the menu button whose top edge is `top`, where no text lies.
double buttonTint(const SDL_Surface& image, int top)
{
    double sum = 0;
    for (int y = top + 4; y < top + 44; ++y) {
        const auto* row = static_cast<const Uint8*>(image.pixels) + y * image.pitch;
        for (int x = 36; x < 60; ++x)
            sum += row[x * 4];
    }
    return sum / (40.0 * 24.0);
}
} // namespace

// One run of the real game through its menus: the menu scene, play and walking, the pause menus
// in play and in the editor, the Options screen and "End Game".
TEST(AutoplayTest, TheMenusLeadThroughTheGame)
{
    // Button tops in window pixels (y downwards) of the 1280 x 720 window: the main menu's four,
    // then the pause menu's two.
    constexpr int singleplayer = 360, mapEditor = 424, options = 488, endGame = 552;
    constexpr int resume = 336, backToMenu = 400;
    constexpr int optionsBackX = 320, optionsBackTop = 544; // "Back" of the Options screen
    const TestSupport::TempDir dir;
    const auto shot = [&dir](const char* name) { return (dir.path() / name).string(); };
    const auto click = [](int x, int y) {
        return "mouse " + std::to_string(x) + " " + std::to_string(y) +
               "\nwait 1\nmousedown left\nwait 1\nmouseup left\nwait 3\n";
    };
    const std::string escape = "keydown Escape\nwait 1\nkeyup Escape\nwait 3\n";
    // The pointer image goes to the right edge, out of the regions looked at.
    const auto script = dir.write(
        "menus.txt", "mouse 1260 560\nwait 30\nscreenshot " + shot("menu.png") + "\n" +
                         "mouse 160 384\nwait 2\nscreenshot " + shot("hover.png") + "\n" +
                         "mousedown left\nwait 1\nmouseup left\nwait 20\nscreenshot " + shot("play.png") + "\n" +
                         "keydown W\nwait 50\nscreenshot " + shot("walked.png") + "\nkeyup W\n" + escape +
                         "screenshot " + shot("pause.png") + "\n" + click(160, resume + 24) + "screenshot " +
                         shot("resumed.png") + "\n" + escape + click(160, backToMenu + 24) +
                         "mouse 1000 100\nwait 2\nscreenshot " + shot("back.png") + "\n" +
                         click(160, options + 24) + "screenshot " + shot("options.png") + "\n" +
                         click(optionsBackX, optionsBackTop + 24) + click(160, mapEditor + 24) + "screenshot " +
                         shot("editor.png") + "\n" + escape + "screenshot " + shot("editor-paused.png") + "\n" +
                         click(160, backToMenu + 24) +
                         click(160, endGame + 24) + "wait 5\nscreenshot " + shot("after-end.png") + "\n");
    // A home of its own: "Back" on the Options screen saves the settings there.
    const ProgramRun run = TestSupport::runAutoplayShotsOnly(script, dir.path());
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("GameController initialised\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Autoplay: saved " + shot("menu.png") + "\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("after-end.png"), std::string::npos) << "\"End Game\" ends the run";

    const Image menu = loadRgba(shot("menu.png"));
    const Image hover = loadRgba(shot("hover.png"));
    const Image play = loadRgba(shot("play.png"));
    const Image walked = loadRgba(shot("walked.png"));
    const Image pause = loadRgba(shot("pause.png"));
    const Image resumed = loadRgba(shot("resumed.png"));
    const Image back = loadRgba(shot("back.png"));
    const Image editor = loadRgba(shot("editor.png"));
    const Image editorPaused = loadRgba(shot("editor-paused.png"));
    const Image optionsScreen = loadRgba(shot("options.png"));
    ASSERT_TRUE(menu && hover && play && walked && pause && resumed && back && editor && editorPaused &&
                optionsScreen)
        << run.output;
    EXPECT_EQ(menu->w, 1280) << "the window size of profile/config.cfg";
    EXPECT_EQ(menu->h, 720);

    // The menu scene: open sky above the map, right of the menu column; the random map's grey
    // blocks, lit and shaded, in the middle; the dark floor with light grid lines below.
    EXPECT_GT(share(*menu, 0.62, 0.03, 0.95, 0.25, blue), 0.5);
    EXPECT_LT(share(*menu, 0.42, 0.30, 0.58, 0.52, blue), 0.1);
    EXPECT_GT(share(*menu, 0.42, 0.30, 0.58, 0.52, neutral), 0.8);
    EXPECT_LT(share(*menu, 0.42, 0.30, 0.58, 0.52, dark), 0.5) << "lit faces face the camera";
    EXPECT_LT(share(*menu, 0.30, 0.80, 0.70, 0.93, blue), 0.1);
    EXPECT_GT(share(*menu, 0.30, 0.80, 0.70, 0.93, dark), 0.6);
    EXPECT_GT(share(*menu, 0.30, 0.80, 0.70, 0.93, bright), 0.02) << "no grid lines";

    // The main menu: the dark column with the four button texts, at start and after "Back to menu".
    for (const SDL_Surface* screen : {menu.get(), back.get()}) {
        EXPECT_TRUE(menuColumnShown(*screen));
        for (const int top : {singleplayer, mapEditor, options, endGame})
            EXPECT_GT(buttonText(*screen, top), 0.03) << "no text on the button at " << top;
    }
    // The pointer over "Singleplayer" tints it grey; the other buttons stay dark.
    EXPECT_GT(buttonTint(*hover, singleplayer), buttonTint(*menu, singleplayer) + 40);
    EXPECT_NEAR(buttonTint(*hover, mapEditor), buttonTint(*menu, mapEditor), 5);

    // Play shows the scene without the column: the player stands among grey blocks over the
    // gridded floor, and half a second of W changes the view.
    EXPECT_FALSE(menuColumnShown(*play));
    EXPECT_GT(share(*play, 0.30, 0.0, 0.70, 0.40, neutral), 0.5);
    EXPECT_LT(share(*play, 0.30, 0.0, 0.70, 0.40, blue), 0.5);
    EXPECT_GT(share(*play, 0.40, 0.85, 0.70, 0.95, dark), 0.5);
    EXPECT_GT(share(*play, 0.40, 0.85, 0.70, 0.95, bright), 0.02) << "no grid lines";
    EXPECT_GT(TestSupport::changedFraction(*play, *walked, 0, 0, play->w, play->h), 0.3)
        << "half a second of W leaves the view as it was";

    // Escape brings the pause menu with its two buttons, in play and in the editor.
    for (const SDL_Surface* screen : {pause.get(), editorPaused.get()}) {
        EXPECT_TRUE(menuColumnShown(*screen));
        for (const int top : {resume, backToMenu})
            EXPECT_GT(buttonText(*screen, top), 0.03) << "no text on the pause button at " << top;
        EXPECT_LT(buttonText(*screen, endGame), 0.001);
    }
    EXPECT_FALSE(menuColumnShown(*resumed));
    // "Options" shows its wider column without the main menu's buttons; its "Back" leads back to
    // the main menu, whose "Map-Editor" opens the editor: the column is gone.
    EXPECT_TRUE(menuColumnShown(*optionsScreen));
    EXPECT_LT(buttonText(*optionsScreen, singleplayer), 0.001);
    EXPECT_FALSE(menuColumnShown(*editor));
}

TEST(AutoplayTest, ExampleScriptsParse)
{
    for (const auto& entry : std::filesystem::directory_iterator("tests/autoplay")) {
        Engine::Autoplay::ScriptError error;
        EXPECT_TRUE(Engine::Autoplay::Script::parse(fileText(entry.path()), error))
            << entry.path() << ":" << error.line << ": " << error.message;
    }
}
