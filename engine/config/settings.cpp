#include "engine/config/settings.h"

#include "engine/core/log.h"

#include <cmath>

namespace Engine {

namespace {

// Stores the number under `key` truncated toward zero in `target` when it lies within
// [minimum, maximum]. The range is checked on the float, before any conversion, so huge or
// non-finite values never reach an undefined float-to-integer cast.
void applyInteger(const IniSectionData& section, const char* key, int32_t minimum, int32_t maximum, int32_t& target)
{
    if (!section.hasFloat(key))
        return;
    const float value = section.getFloat(key);
    const bool usable = std::isfinite(value) && std::trunc(value) >= static_cast<float>(minimum) &&
                        std::trunc(value) <= static_cast<float>(maximum);
    if (!usable) {
        logf("CONFIG: %s = %g is not a number from %d to %d, using %d\n", key, static_cast<double>(value), minimum,
             maximum, target);
        return;
    }
    target = static_cast<int32_t>(value);
}

} // namespace

void applyConfig(const IniData& config, Settings& settings)
{
    if (!config.hasSection(""))
        return;
    const IniSectionData& section = config.getSection("");
    applyInteger(section, "resolution_width", kMinWindowSize, kMaxWindowSize, settings.width);
    applyInteger(section, "resolution_height", kMinWindowSize, kMaxWindowSize, settings.height);
    applyInteger(section, "vsync", kMinSwapInterval, kMaxSwapInterval, settings.swapInterval);
    if (section.hasBool("fullscreen"))
        settings.fullscreen = section.getBool("fullscreen");
}

Settings loadSettings(const std::filesystem::path& path)
{
    Settings settings;
    applyConfig(loadIni(path), settings);
    return settings;
}

} // namespace Engine
