#include "engine/ini/inireader.h"

#include "engine/core/assert.h"
#include "engine/fileutil/fileutil.h"

#include <utf8cpp/utf8.h>

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
            return parsed;
        }
    }
    const std::string_view value = trim(pieces.second);
    if (pieces.count < 2 || value.empty()) {
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            parsed.kind = IniLine::Kind::Incomplete;
            parsed.name = trim(line.substr(0, equals));
        }
        return parsed;
    }
    parsed.kind = IniLine::Kind::Value;
    parsed.name = trim(pieces.first);
    parsed.value = value;
    parsed.type = typeOf(value);
    return parsed;
}

namespace {

// Builds IniData from lines handed in one at a time, numbering them from 1.
class IniParser {
public:
    explicit IniParser(const IniRules& rules)
        : rules(rules)
    {
    }

    void addLine(std::string_view line)
    {
        ++number;
        const IniLine parsed = parseIniLine(line);
        if (rules.utf8Only && !utf8::is_valid(line.begin(), line.end())) {
            drop(IniDropReason::NotUtf8, std::string_view(), line);
            if (parsed.kind == IniLine::Kind::Section)
                currentSection = std::string(parsed.name);
            return;
        }
        switch (parsed.kind) {
        case IniLine::Kind::Section:
            currentSection = std::string(parsed.name);
            break;
        case IniLine::Kind::Incomplete:
            drop(IniDropReason::Incomplete, parsed.name, line);
            break;
        case IniLine::Kind::Value:
            addValue(parsed, line);
            break;
        case IniLine::Kind::Other:
            break;
        }
    }

    IniData take() { return std::move(result); }

private:
    const IniRules& rules;
    IniData result;
    std::string currentSection;
    size_t number = 0;

    void drop(IniDropReason reason, std::string_view key, std::string_view line)
    {
        result.dropped.push_back({number, reason, currentSection, std::string(key), std::string(trim(line))});
    }

    IniValueType declaredType(std::string_view key) const
    {
        return rules.declaredType ? rules.declaredType(currentSection, key) : IniValueType::None;
    }

    void addValue(const IniLine& parsed, std::string_view line)
    {
        if (parsed.type == IniValueType::None)
            return drop(IniDropReason::NotAValue, parsed.name, line);
        const IniValueType declared = declaredType(parsed.name);
        if (declared != IniValueType::None && declared != parsed.type)
            return drop(IniDropReason::WrongType, parsed.name, line);
        const std::string key(parsed.name);
        IniSectionData& section = sectionFor(result, currentSection);
        if (parsed.type == IniValueType::String)
            section.setString(key, std::string(parsed.value.substr(1, parsed.value.size() - 2)));
        else if (parsed.type == IniValueType::Bool)
            section.setBool(key, parsed.value == "true");
        else
            section.setFloat(key, std::strtof(std::string(parsed.value).c_str(), nullptr));
    }
};

} // namespace

IniData parseIni(std::string_view text, const IniRules& rules)
{
    IniParser parser(rules);
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
