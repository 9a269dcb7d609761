#pragma once
// The game's settings from the configuration file: window size, full screen and swap interval.
#include "engine/ini/inireader.h"

#include <cstdint>
#include <filesystem>

namespace Engine {

// Where the game reads its configuration, relative to the working directory.
inline constexpr const char* kConfigPath = "./profile/config.cfg";

// Limits outside which a configured value is refused and its default kept.
constexpr int32_t kMinWindowSize = 320;
constexpr int32_t kMaxWindowSize = 16384;
constexpr int32_t kMinSwapInterval = -1;
constexpr int32_t kMaxSwapInterval = 1;

struct Settings {
    bool fullscreen = false;  // "fullscreen" (bool)
    int32_t swapInterval = 0; // "vsync" (number, truncated)
    int32_t width = 1280;     // "resolution_width" (number, truncated)
    int32_t height = 720;     // "resolution_height" (number, truncated)
};

// Applies the four keys of the unnamed section of `config` to `settings`. A key that is absent
// or of another type leaves its value; a number that is not finite or, truncated, lies outside
// its limits also leaves it, with a console line naming the key.
void applyConfig(const IniData& config, Settings& settings);

// The defaults with the configuration file at `path` applied. A missing file logs
// "MISSING FILE: " and the path and gives the defaults.
Settings loadSettings(const std::filesystem::path& path = kConfigPath);

} // namespace Engine
