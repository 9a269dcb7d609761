// The INI reader on arbitrary text. Beyond not crashing, the parsed data must be consistent and
// must survive being written out and read again unchanged.
#include "engine/ini/inireader.h"
#include "fuzzcheck.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

namespace {

// Every section is listed once in sectionNames and holds values; every typed value has its key.
void checkConsistent(const Engine::IniData& data)
{
    FUZZ_CHECK(data.sections.size() == data.sectionNames.size());
    for (const std::string& name : data.sectionNames) {
        FUZZ_CHECK(data.hasSection(name));
        const Engine::IniSectionData& section = data.getSection(name);
        FUZZ_CHECK(!section.keys.empty());
        std::set<std::string> typed;
        for (const auto& entry : section.strings)
            typed.insert(entry.first);
        for (const auto& entry : section.floats)
            typed.insert(entry.first);
        for (const auto& entry : section.bools)
            typed.insert(entry.first);
        FUZZ_CHECK(typed == section.keys);
    }
}

// A plain decimal spelling that reads back as exactly `value`: every float is a finite binary
// fraction, so 149 decimals hold it exactly. Infinities come from numbers too long for a float.
std::string plainNumber(float value)
{
    if (std::isinf(value))
        return std::string(value < 0 ? "-" : "") + std::string(50, '9');
    char text[256];
    std::snprintf(text, sizeof text, "%.149f", static_cast<double>(value));
    return text;
}

std::string serialise(const Engine::IniData& data)
{
    std::string text;
    for (const std::string& name : data.sectionNames) {
        const Engine::IniSectionData& section = data.getSection(name);
        text += "[" + name + "]\n";
        for (const auto& entry : section.strings)
            text += entry.first + " = \"" + entry.second + "\"\n";
        for (const auto& entry : section.floats)
            text += entry.first + " = " + plainNumber(entry.second) + "\n";
        for (const auto& entry : section.bools)
            text += entry.first + (entry.second ? " = true\n" : " = false\n");
    }
    return text;
}

void checkSameData(const Engine::IniData& a, const Engine::IniData& b)
{
    FUZZ_CHECK(a.sectionNames == b.sectionNames);
    for (const std::string& name : a.sectionNames) {
        const Engine::IniSectionData& left = a.getSection(name);
        const Engine::IniSectionData& right = b.getSection(name);
        FUZZ_CHECK(left.keys == right.keys);
        FUZZ_CHECK(left.strings == right.strings);
        FUZZ_CHECK(left.floats == right.floats);
        FUZZ_CHECK(left.bools == right.bools);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Engine::IniData parsed = Engine::parseIni(text);
    checkConsistent(parsed);
    const Engine::IniData reparsed = Engine::parseIni(serialise(parsed));
    checkSameData(parsed, reparsed);
    return 0;
}
