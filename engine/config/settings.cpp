#include "engine/config/settings.h"

#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"
#include "engine/fileutil/fileutil.h"

#include <utf8cpp/utf8.h>

#include <cmath>
#include <cstdio>
#include <system_error>

namespace Engine {

namespace {

enum class ValueKind { Number, Bool };

struct KeyRule {
    const char* key;
    ValueKind kind;
};

constexpr KeyRule kKeys[] = {
    {"resolution_width", ValueKind::Number}, {"resolution_height", ValueKind::Number},
    {"fullscreen", ValueKind::Bool},         {"vsync", ValueKind::Number},
    {"mouse_sensitivity", ValueKind::Number}, {"field_of_view", ValueKind::Number},
    {"invert_mouse", ValueKind::Bool},
};

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1);
}

// Whether `value` lies within [minimum, maximum]. The range is checked on the float, before any
// conversion, so huge or non-finite values never reach an undefined float-to-integer cast.
bool withinLimits(float value, float minimum, float maximum)
{
    return std::isfinite(value) && value >= minimum && value <= maximum;
}

// Stores the number under `key` truncated toward zero in `target` when it lies within
// [minimum, maximum].
void applyInteger(const IniSectionData& section, const char* key, int32_t minimum, int32_t maximum, int32_t& target)
{
    if (!section.hasFloat(key))
        return;
    const float value = section.getFloat(key);
    if (!withinLimits(std::trunc(value), static_cast<float>(minimum), static_cast<float>(maximum))) {
        logf("CONFIG: %s = %g is not a number from %d to %d, using %d\n", key, static_cast<double>(value), minimum,
             maximum, target);
        return;
    }
    target = static_cast<int32_t>(value);
}

void applyNumber(const IniSectionData& section, const char* key, float minimum, float maximum, float& target)
{
    if (!section.hasFloat(key))
        return;
    const float value = section.getFloat(key);
    if (!withinLimits(value, minimum, maximum)) {
        logf("CONFIG: %s = %g is not a number from %g to %g, using %g\n", key, static_cast<double>(value),
             static_cast<double>(minimum), static_cast<double>(maximum), static_cast<double>(target));
        return;
    }
    target = value;
}

void applyBool(const IniSectionData& section, const char* key, bool& target)
{
    if (section.hasBool(key))
        target = section.getBool(key);
}

// A line that gives one of the game's keys a value the reader drops or stores in another type
// than the key's ("vsync = on", "fullscreen = 1") is reported; the value before it stays. Only the
// unnamed section holds the game's keys, so the scan ends at the first section header.
void reportUnusableLines(std::string_view text, const std::filesystem::path& file)
{
    for (const std::string& line : splitLines(text)) {
        const std::string_view trimmed = trim(line);
        if (!trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']')
            return;
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key(trim(std::string_view(line).substr(0, equals)));
        for (const KeyRule& rule : kKeys) {
            if (key != rule.key)
                continue;
            const IniData parsed = parseIni(line);
            const bool usable = parsed.hasSection("") && (rule.kind == ValueKind::Bool
                                                              ? parsed.getSection("").hasBool(key)
                                                              : parsed.getSection("").hasFloat(key));
            if (!usable)
                logLine("CONFIG: " + file.string() + ": \"" + std::string(trimmed) + "\" is not " +
                        (rule.kind == ValueKind::Bool ? "true or false" : "a number") + ", ignored");
        }
    }
}

// Applies the configuration file at `file` to `settings`; false when it cannot be read.
bool applyFile(const std::filesystem::path& file, Settings& settings)
{
    std::string text;
    if (!readFileBytes(file, text))
        return false;
    if (text.find('\0') != std::string::npos || !utf8::is_valid(text.begin(), text.end())) {
        logLine("CONFIG: " + file.string() + " is damaged (not a text file), ignored");
        return true;
    }
    reportUnusableLines(text, file);
    applyConfig(parseIni(text), settings);
    return true;
}

} // namespace

bool Settings::operator==(const Settings& other) const
{
    return fullscreen == other.fullscreen && swapInterval == other.swapInterval && width == other.width &&
           height == other.height && mouseSensitivity == other.mouseSensitivity &&
           fieldOfView == other.fieldOfView && invertMouse == other.invertMouse;
}

void applyConfig(const IniData& config, Settings& settings)
{
    if (!config.hasSection(""))
        return;
    const IniSectionData& section = config.getSection("");
    applyInteger(section, "resolution_width", kMinWindowSize, kMaxWindowSize, settings.width);
    applyInteger(section, "resolution_height", kMinWindowSize, kMaxWindowSize, settings.height);
    applyInteger(section, "vsync", kMinSwapInterval, kMaxSwapInterval, settings.swapInterval);
    applyBool(section, "fullscreen", settings.fullscreen);
    applyNumber(section, "mouse_sensitivity", kMinMouseSensitivity, kMaxMouseSensitivity, settings.mouseSensitivity);
    applyInteger(section, "field_of_view", kMinFieldOfView, kMaxFieldOfView, settings.fieldOfView);
    applyBool(section, "invert_mouse", settings.invertMouse);
}

Settings loadSettings(const std::filesystem::path& path)
{
    Settings settings;
    applyConfig(loadIni(path), settings);
    return settings;
}

Settings loadSettings(const std::filesystem::path& shipped, const std::filesystem::path& user)
{
    Settings settings;
    if (!applyFile(shipped, settings))
        logMissingFile(shipped);
    std::error_code error;
    if (!user.empty() && std::filesystem::exists(user, error) && !applyFile(user, settings))
        logLine("CONFIG: cannot read " + user.string() + ", ignored");
    return settings;
}

std::string settingsText(const Settings& settings)
{
    char sensitivity[32];
    std::snprintf(sensitivity, sizeof sensitivity, "%.2f", static_cast<double>(settings.mouseSensitivity));
    const auto flag = [](bool value) { return value ? std::string("true") : std::string("false"); };
    return "resolution_width = " + std::to_string(settings.width) + "\n" +
           "resolution_height = " + std::to_string(settings.height) + "\n" +
           "fullscreen = " + flag(settings.fullscreen) + "\n" +
           "vsync = " + std::to_string(settings.swapInterval) + "\n" +
           "mouse_sensitivity = " + sensitivity + "\n" +
           "field_of_view = " + std::to_string(settings.fieldOfView) + "\n" +
           "invert_mouse = " + flag(settings.invertMouse) + "\n";
}

bool saveSettings(const Settings& settings, const std::filesystem::path& path, std::string* error)
{
    if (path.empty()) {
        if (error)
            *error = "there is no configuration folder (neither XDG_CONFIG_HOME nor HOME is set)";
        return false;
    }
    std::error_code made;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), made);
    if (made) {
        if (error)
            *error = "cannot create " + path.parent_path().string() + ": " + made.message();
        return false;
    }
    const std::string text = settingsText(settings);
    return writeFileAtomically(path, text.data(), text.size(), error);
}

} // namespace Engine
