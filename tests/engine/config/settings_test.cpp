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
}
} // namespace

TEST(SettingsTest, ReadsTheFourKeysWithTruncation)
{
    const Settings settings = fromText("resolution_width = 1600.7\nresolution_height = 900\r\n"
                                       "fullscreen = true\nvsync = -1.9\n");
    EXPECT_EQ(settings.width, 1600);
    EXPECT_EQ(settings.height, 900);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(settings.swapInterval, -1);
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
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("resolution_width = 0"), std::string::npos);
    EXPECT_NE(output.find("resolution_height = inf"), std::string::npos);
    EXPECT_NE(output.find("vsync = -2"), std::string::npos);

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

    const auto missing = dir.path() / "config.cfg.missing";
    testing::internal::CaptureStdout();
    expectDefaults(Engine::loadSettings(missing));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "MISSING FILE: " + missing.string() + "\n");
}
