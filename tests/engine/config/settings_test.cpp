#include "engine/config/settings.h"

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

    // Zeroes, as a file cut short by a crash may hold, or bytes that are not text: left out whole.
    for (const std::string& damaged : {std::string("resolution_width = 800\n\0\0\0\0", 27),
                                      std::string("resolution_width = 800\n\xff\xfe\n")}) {
        const auto user = dir.write("user.cfg", damaged);
        testing::internal::CaptureStdout();
        const Settings settings = Engine::loadSettings(shipped, user);
        const std::string output = testing::internal::GetCapturedStdout();
        EXPECT_EQ(settings.width, 1024);
        EXPECT_EQ(output, "CONFIG: " + user.string() + " is damaged (not a text file), ignored\n");
    }

    // Values the keys cannot take are named; the rest of the file still counts.
    const auto user = dir.write("user.cfg", "vsync = on\nfullscreen = 1\nfield_of_view = 90\ninvert_mouse =\n"
                                            "[other]\nvsync = on\n");
    testing::internal::CaptureStdout();
    const Settings settings = Engine::loadSettings(shipped, user);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(settings.fieldOfView, 90);
    EXPECT_EQ(settings.swapInterval, 0);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_EQ(output, "CONFIG: " + user.string() + ": \"vsync = on\" is not a number, ignored\n" +
                          "CONFIG: " + user.string() + ": \"fullscreen = 1\" is not true or false, ignored\n" +
                          "CONFIG: " + user.string() + ": \"invert_mouse =\" is not true or false, ignored\n");
}
