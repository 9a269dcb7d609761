#include "engine/config/settings.h"

#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"
#include "engine/fileutil/fileutil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <system_error>

namespace Engine {

namespace {

enum class ValueKind { Number, Bool, Text };

struct KeyRule {
    const char* key;
    ValueKind kind;
};

// The keys the game owns, in the order a new file lists them.
constexpr KeyRule kKeys[] = {
    {"resolution_width", ValueKind::Number}, {"resolution_height", ValueKind::Number},
    {"fullscreen", ValueKind::Bool},         {"vsync", ValueKind::Number},
    {"mouse_sensitivity", ValueKind::Number}, {"field_of_view", ValueKind::Number},
    {"invert_mouse", ValueKind::Bool},       {"render_scale", ValueKind::Number},
    {"pad_look_sensitivity", ValueKind::Number}, {"invert_pad_look", ValueKind::Bool},
    {"ghost", ValueKind::Bool},
#define TX_BINDING_KEY(name, configKey, label, binding) {configKey, ValueKind::Text},
    TX_PLAYER_ACTIONS(TX_BINDING_KEY)
#undef TX_BINDING_KEY
};
// Where the bindings' keys start in kKeys.
constexpr size_t kFirstBindingKey = std::size(kKeys) - kActionCount;
constexpr size_t kKeyCount = std::size(kKeys);

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

// Stores the render scale when the file gives one of its values: Auto or one of the steps.
void applyRenderScale(const IniSectionData& section, int32_t& target)
{
    const char* key = "render_scale";
    if (!section.hasFloat(key))
        return;
    const float value = section.getFloat(key);
    const bool step = std::find(std::begin(kRenderScaleSteps), std::end(kRenderScaleSteps), value) !=
                      std::end(kRenderScaleSteps);
    if (value != float(kRenderScaleAuto) && !step) {
        logf("CONFIG: %s = %g is not 0 (Auto), 50, 75 or 100, using %d\n", key, static_cast<double>(value), target);
        return;
    }
    target = static_cast<int32_t>(value);
}

// Stores the binding named under `key` in `target` when it names one that can be bound.
void applyBinding(const IniSectionData& section, const char* key, InputBinding& target)
{
    if (!section.hasString(key))
        return;
    const std::string& text = section.getString(key);
    const std::optional<InputBinding> binding = parseBinding(text);
    if (!binding || !isBindable(*binding)) {
        logf("CONFIG: %s = \"%s\" is not a key or mouse button, using \"%s\"\n", key, text.c_str(),
             bindingText(target).c_str());
        return;
    }
    target = *binding;
}

// The index of `key` in kKeys, or kKeyCount when the game does not own it.
size_t ownedKey(std::string_view key)
{
    for (size_t i = 0; i < kKeyCount; ++i) {
        if (key == kKeys[i].key)
            return i;
    }
    return kKeyCount;
}

IniValueType typeOfKey(size_t index)
{
    switch (kKeys[index].kind) {
    case ValueKind::Bool:
        return IniValueType::Bool;
    case ValueKind::Text:
        return IniValueType::String;
    case ValueKind::Number:
        break;
    }
    return IniValueType::Number;
}

// What a key of `type` takes, for the console line about a value it cannot.
const char* wantedValue(IniValueType type)
{
    switch (type) {
    case IniValueType::Bool:
        return "true or false";
    case IniValueType::String:
        return "a key name in quotes";
    default:
        return "a number";
    }
}

// The game's keys take only their own type, and only in the unnamed section; lines that are not
// UTF-8 are left out.
IniRules configRules()
{
    IniRules rules;
    rules.utf8Only = true;
    rules.declaredType = [](std::string_view section, std::string_view key) {
        const size_t index = section.empty() ? ownedKey(key) : kKeyCount;
        return index < kKeyCount ? typeOfKey(index) : IniValueType::None;
    };
    return rules;
}

// Names a line the reader left out of `file`: every line that is not UTF-8, and every line of
// the unnamed section that gives one of the game's keys no value it can take ("vsync = on",
// "fullscreen = 1"); the value before it stays. Keys the game does not know pass silently.
void reportDropped(const IniDroppedLine& dropped, const std::filesystem::path& file)
{
    const std::string prefix = "CONFIG: " + file.string() + ": ";
    if (dropped.reason == IniDropReason::NotUtf8) {
        logLine(prefix + "line " + std::to_string(dropped.number) + " is not UTF-8 text, ignored");
        return;
    }
    const size_t index = dropped.section.empty() ? ownedKey(dropped.key) : kKeyCount;
    if (index == kKeyCount)
        return;
    logLine(prefix + "\"" + dropped.text + "\" is not " + wantedValue(typeOfKey(index)) + ", ignored");
}

enum class ReadOutcome { Absent, Unreadable, TooLarge, NotText, Text };

// Reads the configuration file at `file` into `text`, at most kMaxConfigFileSize bytes of it.
// A file with NUL bytes (as a crash can leave one) is not text.
ReadOutcome readConfigText(const std::filesystem::path& file, std::string& text)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        return ReadOutcome::Absent;
    if (!std::filesystem::is_regular_file(status))
        return ReadOutcome::Unreadable;
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return ReadOutcome::Unreadable;
    text.resize(kMaxConfigFileSize + 1);
    stream.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (stream.bad())
        return ReadOutcome::Unreadable;
    text.resize(static_cast<size_t>(stream.gcount()));
    if (text.size() > kMaxConfigFileSize)
        return ReadOutcome::TooLarge;
    if (text.find('\0') != std::string::npos)
        return ReadOutcome::NotText;
    return ReadOutcome::Text;
}

// Applies configuration text read from `file` to `settings`, naming the lines left out.
void applyText(std::string_view text, const std::filesystem::path& file, Settings& settings)
{
    const IniData config = parseIni(text, configRules());
    for (const IniDroppedLine& dropped : config.dropped)
        reportDropped(dropped, file);
    applyConfig(config, settings);
}

// Applies the configuration file at `file` to `settings`; false when it is absent or cannot be
// read. A file too large or not text is reported and left out whole.
bool applyFile(const std::filesystem::path& file, Settings& settings)
{
    std::string text;
    switch (readConfigText(file, text)) {
    case ReadOutcome::Absent:
    case ReadOutcome::Unreadable:
        return false;
    case ReadOutcome::TooLarge:
        logLine("CONFIG: " + file.string() + " is larger than 1 MiB, ignored");
        return true;
    case ReadOutcome::NotText:
        logLine("CONFIG: " + file.string() + " is damaged (not a text file), ignored");
        return true;
    case ReadOutcome::Text:
        break;
    }
    applyText(text, file, settings);
    return true;
}

// The value text of every key of kKeys for `settings`, in the same order; empty for a render
// scale not chosen yet, which is not written.
std::array<std::string, kKeyCount> valueTexts(const Settings& settings)
{
    char sensitivity[32];
    std::snprintf(sensitivity, sizeof sensitivity, "%.2f", static_cast<double>(settings.mouseSensitivity));
    char padSensitivity[32];
    std::snprintf(padSensitivity, sizeof padSensitivity, "%.2f", static_cast<double>(settings.padLookSensitivity));
    const auto flag = [](bool value) { return value ? std::string("true") : std::string("false"); };
    std::array<std::string, kKeyCount> texts = {
        std::to_string(settings.width),
        std::to_string(settings.height),
        flag(settings.fullscreen),
        std::to_string(settings.swapInterval),
        sensitivity,
        std::to_string(settings.fieldOfView),
        flag(settings.invertMouse),
        settings.renderScale == kRenderScaleUnset ? std::string() : std::to_string(settings.renderScale),
        padSensitivity,
        flag(settings.invertPadLook),
        flag(settings.ghost)};
    for (size_t i = 0; i < kActionCount; ++i)
        texts[kFirstBindingKey + i] = "\"" + bindingText(settings.bindings[i]) + "\"";
    return texts;
}

// `line`, which sets the owned key `key`, with `value` instead: what precedes the old value (the
// key as written, "=" and the spaces after it) is kept; "key =" without a value gets a space.
std::string replacedValue(std::string_view line, std::string_view key, const std::string& value)
{
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || trim(line.substr(0, equals)) != key)
        return std::string(key) + " = " + value;
    const size_t valueStart = std::min(line.find_first_not_of(" \t\v\f=", equals), line.size());
    std::string replaced(line.substr(0, valueStart));
    if (valueStart == line.size() && replaced.back() == '=')
        replaced += ' ';
    return replaced + value;
}

// The user's configuration text `existing` with the game's keys set to `settings`: every line
// of the unnamed section that sets an owned key gets the new value, keys it lacks are added at
// the end of that section, and every other line stays byte for byte.
std::string mergedText(std::string_view existing, const Settings& settings)
{
    const std::array<std::string, kKeyCount> values = valueTexts(settings);
    std::array<bool, kKeyCount> present{};
    std::string_view newline = "\n";
    std::string merged;
    merged.reserve(existing.size() + 256);
    size_t insertAt = std::string::npos; // where the missing keys go; npos: at the end
    size_t afterLastValue = std::string::npos;
    bool unnamed = true;
    std::string_view line;
    std::string_view ending;
    for (bool first = true; takeLine(existing, line, ending); first = false) {
        if (first && ending == "\r\n")
            newline = ending;
        const IniLine parsed = parseIniLine(line);
        if (parsed.kind == IniLine::Kind::Section) {
            if (unnamed && !parsed.name.empty() && insertAt == std::string::npos)
                insertAt = afterLastValue != std::string::npos ? afterLastValue : merged.size();
            unnamed = parsed.name.empty();
        }
        const bool setsKey = parsed.kind == IniLine::Kind::Value || parsed.kind == IniLine::Kind::Incomplete;
        const size_t index = unnamed && setsKey ? ownedKey(parsed.name) : kKeyCount;
        if (index < kKeyCount && !values[index].empty()) {
            present[index] = true;
            merged += replacedValue(line, kKeys[index].key, values[index]);
        } else {
            merged += line;
        }
        merged += ending;
        if (unnamed && line.find('=') != std::string_view::npos)
            afterLastValue = merged.size();
    }
    std::string missing;
    for (size_t i = 0; i < kKeyCount; ++i) {
        if (!present[i] && !values[i].empty())
            missing += std::string(kKeys[i].key) + " = " + values[i] + std::string(newline);
    }
    if (insertAt != std::string::npos)
        return merged.insert(insertAt, missing);
    if (!merged.empty() && merged.back() != '\n')
        merged += newline;
    return merged + missing;
}

bool fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool Settings::operator==(const Settings& other) const
{
    return fullscreen == other.fullscreen && swapInterval == other.swapInterval && width == other.width &&
           height == other.height && mouseSensitivity == other.mouseSensitivity &&
           fieldOfView == other.fieldOfView && invertMouse == other.invertMouse && renderScale == other.renderScale &&
           padLookSensitivity == other.padLookSensitivity && invertPadLook == other.invertPadLook &&
           ghost == other.ghost && bindings == other.bindings;
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
    applyRenderScale(section, settings.renderScale);
    applyNumber(section, "pad_look_sensitivity", kMinMouseSensitivity, kMaxMouseSensitivity,
                settings.padLookSensitivity);
    applyBool(section, "invert_pad_look", settings.invertPadLook);
    applyBool(section, "ghost", settings.ghost);
    for (size_t i = 0; i < kActionCount; ++i)
        applyBinding(section, kActionTable[i].configKey, settings.bindings[i]);
}

void refuseSizesAbove(Settings& settings, int32_t largestWidth, int32_t largestHeight)
{
    const auto refuse = [](const char* key, int32_t& size, int32_t fallback, int32_t largest) {
        if (size <= largest)
            return;
        const int32_t used = std::min(fallback, largest);
        logf("CONFIG: %s = %d is more than the GPU draws (%d), using %d\n", key, size, largest, used);
        size = used;
    };
    const Settings defaults;
    refuse("resolution_width", settings.width, defaults.width, largestWidth);
    refuse("resolution_height", settings.height, defaults.height, largestHeight);
}

Settings loadSettings(const std::filesystem::path& path)
{
    Settings settings;
    if (!applyFile(path, settings))
        logMissingFile(path);
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
    return mergedText(std::string_view(), settings);
}

bool saveSettings(const Settings& settings, const std::filesystem::path& path, std::string* error)
{
    if (path.empty())
        return fail(error, "there is no configuration folder (neither XDG_CONFIG_HOME nor HOME is set)");
    std::string existing;
    switch (readConfigText(path, existing)) {
    case ReadOutcome::Absent:
        existing.clear();
        break;
    case ReadOutcome::Unreadable:
        return fail(error, "cannot read " + path.string() + " to keep what else it holds");
    case ReadOutcome::TooLarge:
        return fail(error, path.string() + " is larger than 1 MiB and was not read; it is left as it is");
    case ReadOutcome::NotText:
        return fail(error, path.string() + " is not a text file and was not read; it is left as it is");
    case ReadOutcome::Text:
        break;
    }
    std::error_code made;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), made);
    if (made)
        return fail(error, "cannot create " + path.parent_path().string() + ": " + made.message());
    const std::string text = mergedText(existing, settings);
    return writeFileAtomically(path, text.data(), text.size(), error);
}

} // namespace Engine
