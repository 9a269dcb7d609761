#include "engine/ini/inireader.h"

#include "engine/core/assert.h"
#include "engine/fileutil/fileutil.h"

#include <cstdlib>

namespace Engine {

namespace {

// The first two non-empty pieces of `line` between "=" signs ("a==b" gives a and b) and whether
// there are more than one.
struct Pieces {
    std::string_view first;
    std::string_view second;
    size_t count = 0;
};

Pieces splitAtEquals(std::string_view line)
{
    Pieces pieces;
    size_t start = 0;
    while (start <= line.size() && pieces.count < 2) {
        size_t end = line.find('=', start);
        if (end == std::string_view::npos)
            end = line.size();
        if (end > start)
            (pieces.count++ == 0 ? pieces.first : pieces.second) = line.substr(start, end - start);
        start = end + 1;
    }
    return pieces;
}

// Digits with at most one point and an optional sign in front: the only spellings of numbers.
// Exponents, hexadecimal, inf and nan are deliberately not numbers here.
bool isPlainNumber(std::string_view text)
{
    bool seenPoint = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            continue;
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if ((c == '-' || c == '+') && i == 0)
            continue;
        return false;
    }
    return true;
}

bool isQuoted(std::string_view text)
{
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

IniValueType typeOf(std::string_view value)
{
    if (isQuoted(value))
        return IniValueType::String;
    if (value == "true" || value == "false")
        return IniValueType::Bool;
    if (isPlainNumber(value))
        return IniValueType::Number;
    return IniValueType::None;
}

IniSectionData& sectionFor(IniData& data, const std::string& name)
{
    auto found = data.sections.find(name);
    if (found == data.sections.end()) {
        found = data.sections.emplace(name, IniSectionData()).first;
        data.sectionNames.push_back(name);
    }
    return found->second;
}

} // namespace

bool IniData::hasSection(const std::string& name) const
{
    return sections.count(name) > 0;
}

IniSectionData& IniData::getSection(const std::string& name)
{
    TX_ASSERT(hasSection(name) == true, "INI section does not exist");
    return sections.at(name);
}

const IniSectionData& IniData::getSection(const std::string& name) const
{
    TX_ASSERT(hasSection(name) == true, "INI section does not exist");
    return sections.at(name);
}

IniLine parseIniLine(std::string_view line)
{
    IniLine parsed;
    const Pieces pieces = splitAtEquals(line);
    if (pieces.count == 1) {
        const std::string_view header = trim(pieces.first);
        if (header.size() >= 2 && header.front() == '[' && header.back() == ']') {
            parsed.kind = IniLine::Kind::Section;
            parsed.name = header.substr(1, header.size() - 2);
        }
        return parsed;
    }
    const std::string_view value = trim(pieces.second);
    if (pieces.count < 2 || value.empty())
        return parsed;
    parsed.kind = IniLine::Kind::Value;
    parsed.name = trim(pieces.first);
    parsed.value = value;
    parsed.type = typeOf(value);
    return parsed;
}

void IniParser::addLine(std::string_view line)
{
    const IniLine parsed = parseIniLine(line);
    if (parsed.kind == IniLine::Kind::Section) {
        currentSection = std::string(parsed.name);
        return;
    }
    if (parsed.kind != IniLine::Kind::Value)
        return;
    const std::string key(parsed.name);
    switch (parsed.type) {
    case IniValueType::String:
        sectionFor(result, currentSection).setString(key, std::string(parsed.value.substr(1, parsed.value.size() - 2)));
        break;
    case IniValueType::Bool:
        sectionFor(result, currentSection).setBool(key, parsed.value == "true");
        break;
    case IniValueType::Number:
        sectionFor(result, currentSection).setFloat(key, std::strtof(std::string(parsed.value).c_str(), nullptr));
        break;
    case IniValueType::None:
        break;
    }
}

IniData parseIni(std::string_view text)
{
    IniParser parser;
    std::string_view line;
    std::string_view ending;
    while (takeLine(text, line, ending))
        parser.addLine(line);
    return parser.take();
}

IniData loadIni(const std::filesystem::path& path)
{
    std::string text;
    if (!readFileBytes(path, text)) {
        logMissingFile(path);
        return {};
    }
    return parseIni(text);
}

} // namespace Engine
