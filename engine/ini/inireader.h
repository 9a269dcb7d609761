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

// How a value reads: None for a spelling that is no value (the line is then skipped).
enum class IniValueType { None, String, Bool, Number };

// One line as the reader sees it. The views point into the line.
struct IniLine {
    enum class Kind { Other, Section, Value };
    Kind kind = Kind::Other;
    std::string_view name;  // Section: the text between the brackets; Value: the trimmed key
    std::string_view value; // Value: the trimmed value text, never empty
    IniValueType type = IniValueType::None;
};

// Reads one line without its terminator. A line of one piece between "=" signs that is a
// [header] is a Section; a line of two or more pieces with a non-empty second one is a Value;
// anything else is Other.
IniLine parseIniLine(std::string_view line);

// Builds IniData from lines handed in one at a time, as parseIni does for whole text.
class IniParser {
public:
    void addLine(std::string_view line);
    // The section that the next value line goes to.
    const std::string& section() const { return currentSection; }
    IniData take() { return std::move(result); }

private:
    IniData result;
    std::string currentSection;
};

// Parses the INI file at `path`. A missing file logs "MISSING FILE: " and gives empty data.
IniData loadIni(const std::filesystem::path& path);

// Parses INI text held in memory; CRLF and LF line endings read the same.
IniData parseIni(std::string_view text);

} // namespace Engine
