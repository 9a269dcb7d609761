#include "engine/config/settings.h"

#include "engine/fileutil/fileutil.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

using Engine::Settings;

namespace {
Settings fromText(const std::string& text)
{
    Settings settings;
    Engine::applyConfig(Engine::parseIni(text), settings);
    return settings;
}

// The default bindings as a saved file lists them, each line ended by `newline`.
std::string defaultBindingLines(const std::string& newline)
{
    std::string lines;
    for (const char* line : {"bind_forward = \"W\"", "bind_back = \"S\"", "bind_left = \"A\"", "bind_right = \"D\"",
                             "bind_jump = \"Space\"", "bind_rope = \"Mouse Left\"", "bind_reel_in = \"Wheel Up\"",
                             "bind_reel_out = \"Wheel Down\"", "bind_pause = \"Escape\"", "bind_restart = \"R\"",
                             "bind_practice = \"P\"", "bind_save_state = \"F5\"", "bind_restore_state = \"F9\""})
        lines += line + newline;
    return lines;
}

void expectDefaults(const Settings& settings)
{
    EXPECT_EQ(settings.width, 1280);
    EXPECT_EQ(settings.height, 720);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(settings.swapInterval, 0);
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 1.0f);
    EXPECT_EQ(settings.fieldOfView, 110);
    EXPECT_FALSE(settings.invertMouse);
}
} // namespace

TEST(SettingsTest, ReadsEveryKeyWithTruncation)
{
    const Settings settings = fromText("resolution_width = 1600.7\nresolution_height = 900\r\n"
                                       "fullscreen = true\nvsync = -1.9\nmouse_sensitivity = 0.35\n"
                                       "field_of_view = 90.9\ninvert_mouse = true\n");
    EXPECT_EQ(settings.width, 1600);
    EXPECT_EQ(settings.height, 900);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(settings.swapInterval, -1);
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 0.35f);
    EXPECT_EQ(settings.fieldOfView, 90);
    EXPECT_TRUE(settings.invertMouse);
}

TEST(SettingsTest, AbsentOrWronglyTypedKeysKeepDefaults)
{
    expectDefaults(fromText(""));
    expectDefaults(fromText("resolution_width = \"1600\"\nfullscreen = 1\nvsync = on\n"));
    expectDefaults(fromText("[video]\nresolution_width = 1600\nfullscreen = true\n"));
}

TEST(SettingsTest, UnsafeNumbersFallBackWithAConsoleLine)
{
    const std::string huge(60, '9');
    testing::internal::CaptureStdout();
    expectDefaults(fromText("resolution_width = 0\nresolution_height = " + huge + "\nvsync = 2\n"));
    expectDefaults(fromText("resolution_width = 319.9\nresolution_height = 16385\nvsync = -2\n"));
    expectDefaults(fromText("mouse_sensitivity = 0.05\nfield_of_view = 121\n"));
    expectDefaults(fromText("mouse_sensitivity = " + huge + "\nfield_of_view = 59.9\n"));
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("resolution_width = 0"), std::string::npos);
    EXPECT_NE(output.find("resolution_height = inf"), std::string::npos);
    EXPECT_NE(output.find("vsync = -2"), std::string::npos);
    EXPECT_NE(output.find("mouse_sensitivity = 0.05 is not a number from 0.1 to 5, using 1"), std::string::npos);
    EXPECT_NE(output.find("field_of_view = 121 is not a number from 60 to 120, using 110"), std::string::npos);

    const Settings limits = fromText("resolution_width = 320\nresolution_height = 16384.9\nvsync = 1\n");
    EXPECT_EQ(limits.width, 320);
    EXPECT_EQ(limits.height, 16384);
    EXPECT_EQ(limits.swapInterval, 1);
}

TEST(SettingsTest, SizesLargerThanTheGpuDrawsFallBackWithAConsoleLine)
{
    Settings settings = fromText("resolution_width = 16384\nresolution_height = 900\n");
    testing::internal::CaptureStdout();
    Engine::refuseSizesAbove(settings, 8192, 8192);
    Engine::refuseSizesAbove(settings, 8192, 600);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "CONFIG: resolution_width = 16384 is more than the GPU draws (8192), using 1280\n"
              "CONFIG: resolution_height = 900 is more than the GPU draws (600), using 600\n");
    EXPECT_EQ(settings.width, 1280);
    EXPECT_EQ(settings.height, 600);
}

TEST(SettingsTest, LoadsTheProfileFileOrDefaults)
{
    // Tests run from the repository root: the shipped configuration holds the defaults.
    expectDefaults(Engine::loadSettings());

    const TestSupport::TempDir dir;
    const auto path = dir.write("config.cfg", "resolution_width = 800\r\nresolution_height = 600\r\n");
    const Settings settings = Engine::loadSettings(path);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 600);

    testing::internal::CaptureStdout();
    expectDefaults(Engine::loadSettings(dir.path() / "config.cfg.missing"));
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
}

TEST(SettingsTest, TheUsersFileOverridesTheShippedOneAndSavesRoundTrip)
{
    const TestSupport::TempDir dir;
    const auto shipped = dir.write("profile/config.cfg", "resolution_width = 1024\nresolution_height = 768\n");
    const auto user = dir.path() / "config" / "tetherix" / "config.cfg";

    // No user file yet (the first run): the shipped values, and no console line about it.
    testing::internal::CaptureStdout();
    Settings settings = Engine::loadSettings(shipped, user);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(settings.width, 1024);
    EXPECT_EQ(settings.height, 768);

    settings.height = 640;
    settings.fullscreen = true;
    settings.swapInterval = -1;
    settings.mouseSensitivity = 2.3f;
    settings.fieldOfView = 75;
    settings.invertMouse = true;
    settings.padLookSensitivity = 0.4f;
    settings.invertPadLook = true;
    settings.ghost = false;
    Engine::bind(settings.bindings, Engine::Action::jump, Engine::InputBinding::key(SDL_SCANCODE_RSHIFT));
    Engine::bind(settings.bindings, Engine::Action::rope, Engine::InputBinding::mouseButton(SDL_BUTTON_X1));
    Engine::bind(settings.bindings, Engine::Action::reelIn, Engine::InputBinding::key(SDL_SCANCODE_Q));
    Engine::bind(settings.bindings, Engine::Action::pause, Engine::InputBinding::wheelDown()); // reel out gets Escape
    std::string error;
    ASSERT_TRUE(Engine::saveSettings(settings, user, &error)) << error;
    EXPECT_EQ(Engine::loadSettings(shipped, user), settings);

    // A key the user's file lacks keeps the shipped value.
    dir.write("config/tetherix/config.cfg", "resolution_height = 600\n");
    const Settings partial = Engine::loadSettings(shipped, user);
    EXPECT_EQ(partial.width, 1024);
    EXPECT_EQ(partial.height, 600);

    // Nowhere to save: refused with a reason, nothing written.
    EXPECT_FALSE(Engine::saveSettings(settings, "", &error));
    EXPECT_FALSE(error.empty());
    const auto blocked = dir.write("file", "x") / "tetherix" / "config.cfg";
    EXPECT_FALSE(Engine::saveSettings(settings, blocked, &error));
}

TEST(SettingsTest, DamagedUserFilesFallBackWithAConsoleLine)
{
    const TestSupport::TempDir dir;
    const auto shipped = dir.write("config.cfg", "resolution_width = 1024\n");

    // Zeroes, as a file cut short by a crash may hold, or more than a settings file ever needs:
    // left out whole.
    const std::string oversized = "resolution_width = 800\n" + std::string(Engine::kMaxConfigFileSize, '\n');
    const struct {
        std::string bytes;
        std::string reason;
    } wholeFiles[] = {
        {std::string("resolution_width = 800\n\0\0\0\0", 27), " is damaged (not a text file), ignored\n"},
        {oversized, " is larger than 1 MiB, ignored\n"},
    };
    for (const auto& damaged : wholeFiles) {
        const auto user = dir.write("user.cfg", damaged.bytes);
        testing::internal::CaptureStdout();
        const Settings settings = Engine::loadSettings(shipped, user);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "CONFIG: " + user.string() + damaged.reason);
        EXPECT_EQ(settings.width, 1024);
    }
    // Exactly the largest size still counts.
    const auto largest = dir.write("user.cfg", oversized.substr(0, Engine::kMaxConfigFileSize));
    EXPECT_EQ(Engine::loadSettings(shipped, largest).width, 800);

    // Values the keys cannot take, and lines that are not UTF-8 (a Latin-1 comment), are named;
    // the rest of the file still counts. A header that is not UTF-8 still ends the unnamed section.
    const auto user = dir.write("user.cfg", "# r\xe9glages\nvsync = on\nfullscreen = 1\nfield_of_view = 90\n"
                                            "invert_mouse =\nmouse_sensitivity = 2\xff\n"
                                            "[other]\nvsync = on\n[vid\xe9o]\nresolution_width = 800\n");
    testing::internal::CaptureStdout();
    const Settings settings = Engine::loadSettings(shipped, user);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(settings.fieldOfView, 90);
    EXPECT_EQ(settings.width, 1024);
    EXPECT_EQ(settings.swapInterval, 0);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 1.0f);
    const std::string file = "CONFIG: " + user.string() + ": ";
    EXPECT_EQ(output, file + "line 1 is not UTF-8 text, ignored\n" + file + "\"vsync = on\" is not a number, ignored\n" +
                          file + "\"fullscreen = 1\" is not true or false, ignored\n" + file +
                          "\"invert_mouse =\" is not true or false, ignored\n" + file +
                          "line 6 is not UTF-8 text, ignored\n" + file + "line 9 is not UTF-8 text, ignored\n");
}

TEST(SettingsTest, SavingKeepsEverythingButTheGamesValues)
{
    const TestSupport::TempDir dir;
    Settings settings;
    settings.width = 1600;
    settings.fullscreen = true;
    settings.mouseSensitivity = 2.5f;

    // Comments, unknown keys, their order, spacing, CRLF endings and other sections stay; every
    // line of the unnamed section that sets an owned key takes the new value; keys the file lacks
    // go at the end of the unnamed section.
    const auto user = dir.write("user.cfg", "# mine, \xe9t\xe9\r\n"
                                            "  resolution_width=800\r\n"
                                            "my_key = \"keep\"\r\n"
                                            "fullscreen = 1\r\n"
                                            "resolution_width = 640\r\n"
                                            "\r\n"
                                            "; video\r\n"
                                            "[video]\r\n"
                                            "vsync = 1\r\n"
                                            "[]\r\n"
                                            "field_of_view =\r\n"
                                            "[audio]\r\n"
                                            "volume = 0.5");
    std::string error;
    ASSERT_TRUE(Engine::saveSettings(settings, user, &error)) << error;
    std::string saved;
    ASSERT_TRUE(Engine::readFileBytes(user, saved));
    EXPECT_EQ(saved, "# mine, \xe9t\xe9\r\n"
                     "  resolution_width=1600\r\n"
                     "my_key = \"keep\"\r\n"
                     "fullscreen = true\r\n"
                     "resolution_width = 1600\r\n"
                     "resolution_height = 720\r\n"
                     "vsync = 0\r\n"
                     "mouse_sensitivity = 2.50\r\n"
                     "invert_mouse = false\r\n"
                     "pad_look_sensitivity = 1.00\r\n"
                     "invert_pad_look = false\r\n"
                     "ghost = true\r\n" +
                         defaultBindingLines("\r\n") +
                     "\r\n"
                     "; video\r\n"
                     "[video]\r\n"
                     "vsync = 1\r\n"
                     "[]\r\n"
                     "field_of_view = 110\r\n"
                     "[audio]\r\n"
                     "volume = 0.5");
    testing::internal::CaptureStdout();
    EXPECT_EQ(Engine::loadSettings(dir.write("shipped.cfg", ""), user), settings);
    testing::internal::GetCapturedStdout();

    // Saving again changes nothing; a file of the unnamed section only gets the missing keys at its end.
    ASSERT_TRUE(Engine::saveSettings(settings, user, &error)) << error;
    std::string again;
    ASSERT_TRUE(Engine::readFileBytes(user, again));
    EXPECT_EQ(again, saved);
    const auto plain = dir.write("plain.cfg", "vsync = 1\n# end");
    ASSERT_TRUE(Engine::saveSettings(settings, plain, &error)) << error;
    std::string appended;
    ASSERT_TRUE(Engine::readFileBytes(plain, appended));
    EXPECT_EQ(appended, "vsync = 0\n# end\n"
                        "resolution_width = 1600\nresolution_height = 720\nfullscreen = true\n"
                        "mouse_sensitivity = 2.50\nfield_of_view = 110\ninvert_mouse = false\n"
                        "pad_look_sensitivity = 1.00\ninvert_pad_look = false\nghost = true\n" +
                            defaultBindingLines("\n"));
}

TEST(SettingsTest, AFileLeftOutWholeIsNeverOverwritten)
{
    const TestSupport::TempDir dir;
    const std::string contents[] = {std::string("vsync = 1\n\0\0", 12),
                                    std::string(Engine::kMaxConfigFileSize + 1, '\n')};
    for (const std::string& content : contents) {
        const auto user = dir.write("user.cfg", content);
        std::string error;
        EXPECT_FALSE(Engine::saveSettings(Settings{}, user, &error));
        EXPECT_NE(error.find("left as it is"), std::string::npos) << error;
        std::string kept;
        ASSERT_TRUE(Engine::readFileBytes(user, kept));
        EXPECT_TRUE(kept == content);
    }
    // Nor is a folder in its place.
    std::filesystem::create_directories(dir.path() / "folder.cfg");
    EXPECT_FALSE(Engine::saveSettings(Settings{}, dir.path() / "folder.cfg"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.cfg"));
}

TEST(SettingsTest, RenderScaleTakesAutoOrAStepAndIsWrittenOnceChosen)
{
    EXPECT_EQ(Settings{}.renderScale, Engine::kRenderScaleUnset);
    EXPECT_EQ(fromText("render_scale = 0\n").renderScale, Engine::kRenderScaleAuto);
    EXPECT_EQ(fromText("render_scale = 75\n").renderScale, 75);
    EXPECT_EQ(fromText("render_scale = 50\n").renderScale, 50);
    testing::internal::CaptureStdout();
    Settings chosen;
    chosen.renderScale = 100;
    Engine::applyConfig(Engine::parseIni("render_scale = 60\n"), chosen);
    EXPECT_EQ(chosen.renderScale, 100);
    EXPECT_EQ(fromText("render_scale = 75.5\n").renderScale, Engine::kRenderScaleUnset);
    EXPECT_EQ(fromText("render_scale = -1\n").renderScale, Engine::kRenderScaleUnset);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("CONFIG: render_scale = 60 is not 0 (Auto), 50, 75 or 100, using 100"), std::string::npos);
    EXPECT_NE(output.find("render_scale = 75.5"), std::string::npos);

    // Not chosen yet: not written, and a line already in the file stays as it is.
    EXPECT_EQ(Engine::settingsText(Settings{}).find("render_scale"), std::string::npos);
    const TestSupport::TempDir dir;
    const auto user = dir.write("user.cfg", "render_scale = 50\n");
    ASSERT_TRUE(Engine::saveSettings(Settings{}, user));
    std::string saved;
    ASSERT_TRUE(Engine::readFileBytes(user, saved));
    EXPECT_EQ(saved.find("render_scale = 50\n"), 0u);

    chosen.renderScale = Engine::kRenderScaleAuto;
    ASSERT_TRUE(Engine::saveSettings(chosen, user));
    testing::internal::CaptureStdout();
    EXPECT_EQ(Engine::loadSettings(dir.write("shipped.cfg", ""), user), chosen);
    testing::internal::GetCapturedStdout();
}

TEST(SettingsTest, BindingsAreReadByKeyNameAndBadOnesKeepTheirBindingWithAConsoleLine)
{
    using Engine::Action;
    using Engine::InputBinding;
    testing::internal::CaptureStdout();
    const Settings settings = fromText("bind_forward = \"Up\"\nbind_jump = \"left shift\"\nbind_rope = \"Mouse Right\"\n"
                                       "bind_back = \"Nonsense\"\nbind_left = \"Mouse 9\"\nbind_pause = P\n"
                                       "bind_right = 7\n");
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(settings.bindings[indexOf(Action::forward)], InputBinding::key(SDL_SCANCODE_UP));
    EXPECT_EQ(settings.bindings[indexOf(Action::jump)], InputBinding::key(SDL_SCANCODE_LSHIFT));
    EXPECT_EQ(settings.bindings[indexOf(Action::rope)], InputBinding::mouseButton(SDL_BUTTON_RIGHT));
    EXPECT_EQ(settings.bindings[indexOf(Action::back)], InputBinding::key(SDL_SCANCODE_S));
    EXPECT_EQ(settings.bindings[indexOf(Action::left)], InputBinding::key(SDL_SCANCODE_A));
    EXPECT_EQ(settings.bindings[indexOf(Action::pause)], InputBinding::key(SDL_SCANCODE_ESCAPE));
    EXPECT_EQ(settings.bindings[indexOf(Action::right)], InputBinding::key(SDL_SCANCODE_D));
    EXPECT_NE(output.find("CONFIG: bind_back = \"Nonsense\" is not a key or mouse button, using \"S\""),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("CONFIG: bind_left = \"Mouse 9\" is not a key or mouse button, using \"A\""),
              std::string::npos)
        << output;

    // Through the file reader, a value that is not in quotes is named as such.
    const TestSupport::TempDir dir;
    testing::internal::CaptureStdout();
    const Settings loaded = Engine::loadSettings(dir.write("config.cfg", "bind_pause = P\nbind_jump = \"Return\"\n"));
    const std::string fileOutput = testing::internal::GetCapturedStdout();
    EXPECT_EQ(loaded.bindings[indexOf(Action::pause)], InputBinding::key(SDL_SCANCODE_ESCAPE));
    EXPECT_EQ(loaded.bindings[indexOf(Action::jump)], InputBinding::key(SDL_SCANCODE_RETURN));
    EXPECT_NE(fileOutput.find("\"bind_pause = P\" is not a key name in quotes, ignored"), std::string::npos)
        << fileOutput;
}
