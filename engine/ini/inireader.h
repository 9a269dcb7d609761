#pragma once
// Reader of INI-style text: `key = value` lines grouped under `[section]` headers. Every value
// is typed by its written form: "quoted text" is a string, true and false are bools, and plain
// decimal numbers (digits, one point, an optional leading sign) are floats. Lines that fit none
// of these are skipped without a message; there is no comment syntax of its own.
#include "engine/ini/inisectiondata.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Engine {

class IniData {
public:
    // Every section that received at least one value; keys before any header go to "".
    std::map<std::string, IniSectionData> sections;
    // Section names in the order in which each first received a value.
    std::vector<std::string> sectionNames;

    bool hasSection(const std::string& name) const;
    // The named section; it must exist (assertion otherwise).
    IniSectionData& getSection(const std::string& name);
    const IniSectionData& getSection(const std::string& name) const;
};

// Parses the INI file at `path`. A missing file logs "MISSING FILE: " and gives empty data.
IniData loadIni(const std::filesystem::path& path);

// Parses INI text held in memory; CRLF and LF line endings read the same.
IniData parseIni(std::string_view text);

} // namespace Engine
