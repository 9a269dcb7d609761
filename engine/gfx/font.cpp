#include "engine/gfx/font.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"
#include "engine/gfx/gltexturefactory.h"
#include "engine/gfx/texture.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace Engine::GFX {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a decimal integer the way the description format writes it: leading white space, an
// optional sign, at least one digit; whatever follows the digits is ignored. False when there
// are no digits or the value does not fit in 32 bits.
bool parseInt(std::string_view text, int32_t& value)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t firstDigit = i;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (i == firstDigit)
        return false;
    const int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min())
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

// A page file name loses a surrounding pair of double quotes, or a single leading or trailing one.
std::string unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return std::string(value.substr(1, value.size() - 2));
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '"')
        value.remove_suffix(1);
    return std::string(value);
}

// The key=value pairs of one line after its kind; a key given twice keeps its last value.
std::map<std::string_view, std::string_view> readPairs(const std::vector<std::string_view>& pieces)
{
    std::map<std::string_view, std::string_view> pairs;
    for (size_t i = 1; i < pieces.size(); ++i) {
        const size_t equals = pieces[i].find('=');
        if (equals == std::string_view::npos)
            continue;
        pairs[pieces[i].substr(0, equals)] = pieces[i].substr(equals + 1);
    }
    return pairs;
}

// Reads the integer values of `keys` from one line. Reports the first value that is not a
// number (naming file, line and key) and returns false; absent keys are left untouched.
class LineValues {
public:
    LineValues(const std::map<std::string_view, std::string_view>& pairs, const std::string& sourceName,
               size_t lineNumber)
        : pairs(pairs), sourceName(sourceName), lineNumber(lineNumber)
    {
    }

    // False when the key is present and its value is not a number.
    bool read(std::string_view key, int32_t& value, bool* present = nullptr) const
    {
        const auto it = pairs.find(key);
        if (present)
            *present = it != pairs.end();
        if (it == pairs.end())
            return true;
        if (parseInt(it->second, value))
            return true;
        logf("Font %s, line %zu: value of \"%.*s\" is not a 32-bit number: \"%.*s\"\n", sourceName.c_str(),
             lineNumber, int(key.size()), key.data(), int(it->second.size()), it->second.data());
        return false;
    }

    bool has(std::string_view key) const { return pairs.count(key) > 0; }
    std::string_view text(std::string_view key) const
    {
        const auto it = pairs.find(key);
        return it == pairs.end() ? std::string_view() : it->second;
    }

private:
    const std::map<std::string_view, std::string_view>& pairs;
    const std::string& sourceName;
    size_t lineNumber;
};

} // namespace

void Font::clear()
{
    kerning.clear();
    glyphs.clear();
    pageFiles.clear();
    lineHeight = base = scaleWidth = scaleHeight = 0;
    textures.clear();
}

bool Font::parse(std::string_view description, const std::string& sourceName)
{
    clear();
    size_t lineNumber = 0;
    size_t skippedGlyphs = 0;
    std::map<uint32_t, Glyph> parsedGlyphs;
    while (!description.empty()) {
        const size_t lineEnd = std::min(description.find('\n'), description.size());
        std::string_view line = description.substr(0, lineEnd);
        description.remove_prefix(std::min(lineEnd + 1, description.size()));
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string_view> pieces = splitDroppingEmpty(line, ' ');
        if (pieces.empty())
            continue;
        const auto pairs = readPairs(pieces);
        const LineValues values(pairs, sourceName, lineNumber);
        const std::string_view kind = pieces[0];
        if (kind == "common") {
            values.read("lineHeight", lineHeight);
            values.read("base", base);
            values.read("scaleW", scaleWidth);
            values.read("scaleH", scaleHeight);
        } else if (kind == "page") {
            int32_t id = 0;
            bool hasId = false;
            const std::string file = unquote(values.text("file"));
            if (values.read("id", id, &hasId) && hasId && !file.empty())
                pageFiles.emplace(id, file);
        } else if (kind == "char") {
            Glyph glyph;
            bool hasId = false;
            const bool ok = values.read("id", glyph.id, &hasId) && values.read("x", glyph.x) &&
                            values.read("y", glyph.y) && values.read("width", glyph.width) &&
                            values.read("height", glyph.height) && values.read("xoffset", glyph.xoffset) &&
                            values.read("yoffset", glyph.yoffset) && values.read("xadvance", glyph.xadvance) &&
                            values.read("page", glyph.page);
            if (!ok || !hasId)
                continue;
            if (glyph.width < 0 || glyph.height < 0) {
                ++skippedGlyphs;
                continue;
            }
            parsedGlyphs.emplace(static_cast<uint32_t>(glyph.id), glyph);
        } else if (kind == "kerning") {
            int32_t first = 0;
            int32_t second = 0;
            int32_t amount = 0;
            if (values.read("first", first) && values.read("second", second) && values.read("amount", amount))
                kerning.emplace(std::make_pair(static_cast<uint32_t>(first), static_cast<uint32_t>(second)), amount);
        }
    }

    const char* refusal = nullptr;
    if (pageFiles.count(0) == 0)
        refusal = "it has no page 0";
    else if (scaleWidth <= 0 || scaleHeight <= 0)
        refusal = "its page size (scaleW, scaleH) is not positive";
    else if (lineHeight <= 0)
        refusal = "its line height is not positive";
    if (refusal) {
        logf("Font %s refused: %s\n", sourceName.c_str(), refusal);
        clear();
        return false;
    }

    // Only page 0 is ever bound when text is drawn, so glyphs elsewhere could not show.
    for (const auto& [id, glyph] : parsedGlyphs) {
        if (glyph.page != 0) {
            ++skippedGlyphs;
            continue;
        }
        glyphs.emplace(id, glyph);
    }
    if (skippedGlyphs > 0)
        logf("Font %s: %zu glyphs skipped (negative size, or not on page 0)\n", sourceName.c_str(), skippedGlyphs);
    return true;
}

bool Font::loadPages(const std::string& folder)
{
    textures.clear();
    for (const auto& [page, file] : pageFiles)
        textures.emplace(page, std::shared_ptr<Texture2D>(loadTexture(folder + file)));
    return hasPageTexture(0);
}

bool Font::loadFromFile(const std::string& path)
{
    std::string bytes;
    if (!readFileBytes(path, bytes)) {
        clear();
        logMissingFile(path);
        return false;
    }
    if (!parse(bytes, path))
        return false;
    if (loadPages(folderOf(path)))
        return true;
    logf("Font %s refused: page 0 could not be loaded\n", path.c_str());
    clear();
    return false;
}

bool Font::hasPageTexture(int32_t page) const
{
    const auto it = textures.find(page);
    return it != textures.end() && it->second != nullptr;
}

std::shared_ptr<Texture2D> Font::getPageTexture(int32_t page) const
{
    TX_ASSERT(textures.count(page) > 0, "font page has no texture");
    return textures.at(page);
}

const Glyph* Font::findGlyph(uint32_t id) const
{
    const auto it = glyphs.find(id);
    return it == glyphs.end() ? nullptr : &it->second;
}

int32_t Font::kerningAmount(uint32_t first, uint32_t second) const
{
    const auto it = kerning.find({first, second});
    return it == kerning.end() ? 0 : it->second;
}

std::string Font::folderOf(const std::string& path)
{
    // Everything up to the last "/", so absolute paths keep their root.
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace Engine::GFX
