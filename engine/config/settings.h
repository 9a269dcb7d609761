#pragma once
// The game's settings: window size, full screen and swap interval, the mouse, pad and view
// settings of the Options screen, the ghost switch and the player's bindings. The shipped configuration file gives the defaults; the user's
// own file, written by the Options screen, is applied over it.
#include "engine/config/inputbinding.h"
#include "engine/ini/inireader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace Engine {

// Where the game reads its configuration, relative to the working directory.
inline constexpr const char* kConfigPath = "./profile/config.cfg";

// Limits outside which a configured value is refused and its default kept. The Options screen
// steps within the same limits.
constexpr int32_t kMinWindowSize = 320;
constexpr int32_t kMaxWindowSize = 16384;
constexpr int32_t kMinSwapInterval = -1;
constexpr int32_t kMaxSwapInterval = 1;
constexpr float kMinMouseSensitivity = 0.1f;
constexpr float kMaxMouseSensitivity = 5.0f;
constexpr float kMouseSensitivityStep = 0.1f;
constexpr int32_t kMinFieldOfView = 60;
constexpr int32_t kMaxFieldOfView = 120;
constexpr int32_t kFieldOfViewStep = 5;
// The render scale's values: a share of the window in percent, Auto, or not chosen yet (the game
// chooses at start; the value is not written to a file).
constexpr int32_t kRenderScaleUnset = -1;
constexpr int32_t kRenderScaleAuto = 0;
constexpr int32_t kRenderScaleSteps[] = {100, 75, 50};

struct Settings {
    bool fullscreen = false;       // "fullscreen" (bool)
    int32_t swapInterval = 0;      // "vsync" (number, truncated)
    int32_t width = 1280;          // "resolution_width" (number, truncated)
    int32_t height = 720;          // "resolution_height" (number, truncated)
    float mouseSensitivity = 1.0f; // "mouse_sensitivity" (number): multiplies the mouse look's turn per pixel
    int32_t fieldOfView = 110;     // "field_of_view" (number, truncated): vertical, in degrees
    bool invertMouse = false;      // "invert_mouse" (bool): moving the mouse up looks down
    int32_t renderScale = kRenderScaleUnset; // "render_scale" (number): 0 (Auto), 50, 75 or 100
    float padLookSensitivity = 1.0f; // "pad_look_sensitivity" (number, mouse sensitivity's limits): the right stick's turn
    bool invertPadLook = false;      // "invert_pad_look" (bool): pushing the right stick up looks down
    bool ghost = true;               // "ghost" (bool): a course's best run is raced beside the player
    // "bind_forward", "bind_jump", ... (text: bindingText's names): each action's key or button
    Bindings bindings = defaultBindings();

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};

// Applies the keys of the unnamed section of `config` to `settings`. A key that is absent or of
// another type leaves its value; a number that is not finite or, truncated, lies outside its
// limits (for the render scale: is not one of its values) also leaves it, with a console line
// naming the key.
void applyConfig(const IniData& config, Settings& settings);

// Refuses a window size larger than the GPU draws (`largestWidth` x `largestHeight`, known once
// the GL context exists): the default takes its place (the largest, if even that is larger),
// with a console line naming the key.
void refuseSizesAbove(Settings& settings, int32_t largestWidth, int32_t largestHeight);

// The defaults with the configuration file at `path` applied. A missing file logs
// "MISSING FILE: " and the path and gives the defaults.
Settings loadSettings(const std::filesystem::path& path = kConfigPath);

// The largest configuration file read; a larger one is left out whole.
constexpr size_t kMaxConfigFileSize = 1024 * 1024;

// The defaults, with the shipped file at `shipped` applied (a missing one is reported as above),
// then the user's file at `user`, if there is one (its absence is normal and not reported).
// Each of these is left out with a console line starting with "CONFIG: ": a whole file larger
// than kMaxConfigFileSize or holding NUL bytes (as a file cut short by a crash can); a line that
// is not UTF-8; a line that sets one of the keys above to a value it cannot take (the value
// before it stays). Keys the game does not know are skipped without a message.
Settings loadSettings(const std::filesystem::path& shipped, const std::filesystem::path& user);

// The configuration file's text for `settings`: every key, one per line, readable by loadSettings.
std::string settingsText(const Settings& settings);

// Writes `settings` to `path` through the atomic writer, creating the folders on the way. A file
// already there keeps its other lines (comments, unknown keys, sections) byte for byte and in
// order: only the values of the keys above change, in the unnamed section, and keys it lacks are
// added at that section's end. False when it cannot, with the reason in `error`; the file there
// before is then untouched. A file there that loadSettings leaves out whole (too large, not text)
// or that cannot be read is never replaced.
bool saveSettings(const Settings& settings, const std::filesystem::path& path, std::string* error = nullptr);

} // namespace Engine
