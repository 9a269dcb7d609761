#pragma once
// Reader of INI-style text: `key = value` lines grouped under `[section]` headers. Every value
// is typed by its written form: "quoted text" is a string, true and false are bools, and plain
// decimal numbers (digits, one point, an optional leading sign) are floats. There is no comment
// syntax of its own: a line without "=" that is no header is skipped. A line with "=" that gives
// no value is skipped too, and listed in IniData::dropped with its number and why, so callers
// can name it; the reader itself prints nothing about it.
#include "engine/ini/inisectiondata.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Engine {

// How a value reads: None for a spelling that is no value (the line is then skipped).
enum class IniValueType { None, String, Bool, Number };

// Why the reader left out a line.
enum class IniDropReason {
    NotUtf8,    // not UTF-8 text, when the rules ask for it
    Incomplete, // "=" without a value after it ("key =", "=5")
    NotAValue,  // a value of no type ("on", 1e5, 0x10, an unclosed quote)
    WrongType,  // a value of another type than the rules declare for its key
};

// A line the reader left out.
struct IniDroppedLine {
    size_t number = 0; // from 1
    IniDropReason reason = IniDropReason::NotAValue;
    std::string section; // the section the line stands in
    std::string key;     // the key it sets, trimmed; empty for a line without one
    std::string text;    // the line, trimmed
};

class IniData {
public:
    // Every section that received at least one value; keys before any header go to "".
    std::map<std::string, IniSectionData> sections;
    // Section names in the order in which each first received a value.
    std::vector<std::string> sectionNames;
    // The lines with "=" that gave no value, and those the rules refused, in file order.
    std::vector<IniDroppedLine> dropped;

    bool hasSection(const std::string& name) const;
    // The named section; it must exist (assertion otherwise).
    IniSectionData& getSection(const std::string& name);
    const IniSectionData& getSection(const std::string& name) const;
};

// What a caller asks of a file beyond the INI rules.
struct IniRules {
    // Lines that are not UTF-8 are dropped; a header among them still starts its section, so the
    // values below it never land in the section before.
    bool utf8Only = false;
    // The only type a key of a section may take, or None when any will do; a value of another
    // type is dropped.
    std::function<IniValueType(std::string_view section, std::string_view key)> declaredType;
};

// One line as the reader sees it. The views point into the line.
struct IniLine {
    enum class Kind { Other, Section, Value, Incomplete };
    Kind kind = Kind::Other;
    // Section: the text between the brackets; Value: the trimmed key; Incomplete: the trimmed
    // text before the first "="
    std::string_view name;
    std::string_view value; // Value: the trimmed value text, never empty
    IniValueType type = IniValueType::None;
};

// Reads one line without its terminator. A line of one piece between "=" signs that is a
// [header] is a Section; a line of two or more pieces with a non-empty second one is a Value;
// any other line with "=" is Incomplete; anything else is Other.
IniLine parseIniLine(std::string_view line);

// Parses the INI file at `path`. A missing file logs "MISSING FILE: " and gives empty data.
IniData loadIni(const std::filesystem::path& path);

// Parses INI text held in memory; CRLF and LF line endings read the same.
IniData parseIni(std::string_view text, const IniRules& rules = {});

} // namespace Engine
