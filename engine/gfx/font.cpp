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

// Reads a decimal integer the way the description format writes it: leading white space, an
// optional sign, at least one digit; whatever follows the digits is ignored. False when there
// are no digits or the value does not fit in 32 bits.
bool parseInt(std::string_view text, int32_t& value)
{
    size_t i = std::min(text.find_first_not_of(kWhiteSpace), text.size());
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

// The glyphs of a description before the font takes those it can draw, and the count of those
// left out.
struct ParsedGlyphs {
    std::map<uint32_t, Glyph> glyphs;
    size_t skipped = 0;
};

void readCommon(const LineValues& values, Font& font)
{
    values.read("lineHeight", font.lineHeight);
    values.read("base", font.base);
    values.read("scaleW", font.scaleWidth);
    values.read("scaleH", font.scaleHeight);
}

void readPage(const LineValues& values, Font& font)
{
    int32_t id = 0;
    bool hasId = false;
    const std::string file = unquote(values.text("file"));
    if (values.read("id", id, &hasId) && hasId && !file.empty())
        font.pageFiles.emplace(id, file);
}

// A glyph without an id or with a value that is no number is left out silently (the value was
// named); one of negative size counts as skipped.
void readGlyph(const LineValues& values, ParsedGlyphs& parsed)
{
    Glyph glyph;
    bool hasId = false;
    const bool ok = values.read("id", glyph.id, &hasId) && values.read("x", glyph.x) && values.read("y", glyph.y) &&
                    values.read("width", glyph.width) && values.read("height", glyph.height) &&
                    values.read("xoffset", glyph.xoffset) && values.read("yoffset", glyph.yoffset) &&
                    values.read("xadvance", glyph.xadvance) && values.read("page", glyph.page);
    if (!ok || !hasId)
        return;
    if (glyph.width < 0 || glyph.height < 0) {
        ++parsed.skipped;
        return;
    }
    parsed.glyphs.emplace(static_cast<uint32_t>(glyph.id), glyph);
}

void readKerning(const LineValues& values, Font& font)
{
    int32_t first = 0;
    int32_t second = 0;
    int32_t amount = 0;
    if (values.read("first", first) && values.read("second", second) && values.read("amount", amount))
        font.kerning.emplace(std::make_pair(static_cast<uint32_t>(first), static_cast<uint32_t>(second)), amount);
}

// One line of a description: its kind, then key=value pairs, separated by spaces. Lines of other
// kinds ("info", "chars", "kernings") carry nothing the font uses.
void readLine(std::string_view line, size_t lineNumber, const std::string& sourceName, Font& font,
              ParsedGlyphs& parsed)
{
    const std::vector<std::string_view> pieces = splitDroppingEmpty(line, ' ');
    if (pieces.empty())
        return;
    const auto pairs = readPairs(pieces);
    const LineValues values(pairs, sourceName, lineNumber);
    const std::string_view kind = pieces[0];
    if (kind == "common")
        readCommon(values, font);
    else if (kind == "page")
        readPage(values, font);
    else if (kind == "char")
        readGlyph(values, parsed);
    else if (kind == "kerning")
        readKerning(values, font);
}

// Why a parsed font cannot be drawn, or nullptr when it can.
const char* refusalOf(const Font& font)
{
    if (font.pageFiles.count(0) == 0)
        return "it has no page 0";
    if (font.scaleWidth <= 0 || font.scaleHeight <= 0)
        return "its page size (scaleW, scaleH) is not positive";
    if (font.lineHeight <= 0)
        return "its line height is not positive";
    return nullptr;
}

// Only page 0 is ever bound when text is drawn, so glyphs elsewhere could not show: the font
// takes the glyphs of page 0, and the others count as skipped.
void keepDrawableGlyphs(ParsedGlyphs& parsed, const std::string& sourceName, Font& font)
{
    for (const auto& [id, glyph] : parsed.glyphs) {
        if (glyph.page != 0) {
            ++parsed.skipped;
            continue;
        }
        font.glyphs.emplace(id, glyph);
    }
    if (parsed.skipped > 0)
        logf("Font %s: %zu glyphs skipped (negative size, or not on page 0)\n", sourceName.c_str(), parsed.skipped);
}

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
    ParsedGlyphs parsed;
    std::string_view line;
    std::string_view ending;
    for (size_t lineNumber = 1; takeLine(description, line, ending); ++lineNumber)
        readLine(line, lineNumber, sourceName, *this, parsed);
    if (const char* refusal = refusalOf(*this)) {
        logf("Font %s refused: %s\n", sourceName.c_str(), refusal);
        clear();
        return false;
    }
    keepDrawableGlyphs(parsed, sourceName, *this);
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
