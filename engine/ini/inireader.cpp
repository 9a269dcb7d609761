#include "engine/ini/inireader.h"

#include "engine/core/assert.h"
#include "engine/fileutil/fileutil.h"

#include <cstdlib>

namespace Engine {

namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos)
        return std::string_view();
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

// The non-empty pieces of `line` between "=" signs ("a==b" gives a and b).
std::vector<std::string_view> splitAtEquals(std::string_view line)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find('=', start);
        if (end == std::string_view::npos)
            end = line.size();
        if (end > start)
            pieces.push_back(line.substr(start, end - start));
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

// A line of one piece that is a [header] selects the section between the brackets.
bool readSectionHeader(std::string_view piece, std::string& section)
{
    const std::string_view header = trim(piece);
    if (header.size() < 2 || header.front() != '[' || header.back() != ']')
        return false;
    section = std::string(header.substr(1, header.size() - 2));
    return true;
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

void readValue(IniData& data, const std::string& section, std::string_view keyPiece, std::string_view valuePiece)
{
    const std::string key(trim(keyPiece));
    const std::string_view value = trim(valuePiece);
    if (value.empty())
        return;
    if (isQuoted(value)) {
        sectionFor(data, section).setString(key, std::string(value.substr(1, value.size() - 2)));
    } else if (value == "true" || value == "false") {
        sectionFor(data, section).setBool(key, value == "true");
    } else if (isPlainNumber(value)) {
        const std::string number(value);
        sectionFor(data, section).setFloat(key, std::strtof(number.c_str(), nullptr));
    }
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

namespace {

IniData parseLines(const std::vector<std::string>& lines)
{
    IniData data;
    std::string section;
    for (const std::string& line : lines) {
        const std::vector<std::string_view> pieces = splitAtEquals(line);
        if (pieces.size() == 1)
            readSectionHeader(pieces[0], section);
        else if (pieces.size() >= 2)
            readValue(data, section, pieces[0], pieces[1]);
    }
    return data;
}

} // namespace

IniData parseIni(std::string_view text)
{
    return parseLines(splitLines(text));
}

IniData loadIni(const std::filesystem::path& path)
{
    return parseLines(readLines(path));
}

} // namespace Engine
