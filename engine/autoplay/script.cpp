#include "engine/autoplay/script.h"

#include "engine/fileutil/fileutil.h"

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace Engine::Autoplay {
namespace {

using Kind = ScriptCommand::Kind;

constexpr std::string_view kSpaces = " \t";
constexpr std::string_view kKnownCommands =
    "keydown, keyup, mouse, mouseby, mousedown, mouseup, wheel, text, wait, screenshot, resize, quit";

std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> found;
    size_t start = text.find_first_not_of(kSpaces);
    while (start != std::string_view::npos) {
        const size_t end = std::min(text.find_first_of(kSpaces, start), text.size());
        found.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(kSpaces, end);
    }
    return found;
}

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Whole-token integer; false for anything else, including values outside int.
bool parseInt(std::string_view token, int& value)
{
    const char* end = token.data() + token.size();
    const auto [stop, status] = std::from_chars(token.data(), end, value);
    return status == std::errc() && stop == end;
}

// The arguments of one line and the command being built from them; the parse functions below
// fill `command` and return an error message, empty on success.
struct Line {
    std::string_view arguments; // the rest of the line, trimmed
    ScriptCommand& command;
};

std::string parseKey(Line line)
{
    if (line.arguments.empty())
        return "needs a key name, e.g. W, Space, Escape or Left Shift";
    const std::string name(line.arguments);
    line.command.key = SDL_GetScancodeFromName(name.c_str());
    if (line.command.key == SDL_SCANCODE_UNKNOWN)
        return "unknown key " + inQuotes(name) + " (SDL scancode names, e.g. W, Space, Escape, Left Shift)";
    return {};
}

// Two whole numbers of pixels into the command's x and y; false unless both are there and fit.
bool parsePixels(std::string_view arguments, ScriptCommand& command)
{
    const std::vector<std::string_view> tokens = words(arguments);
    return tokens.size() == 2 && parseInt(tokens[0], command.x) && parseInt(tokens[1], command.y);
}

bool withinScreen(int value, int lowest)
{
    return value >= lowest && value <= ScriptCommand::kMaxPixels;
}

std::string parsePoint(Line line, bool allowNegative)
{
    if (!parsePixels(line.arguments, line.command))
        return allowNegative ? "needs two whole numbers of pixels, e.g. mouseby 40 -10"
                             : "needs two whole numbers of window pixels, e.g. mouse 640 360";
    const int lowest = allowNegative ? -ScriptCommand::kMaxPixels : 0;
    if (!allowNegative && (line.command.x < 0 || line.command.y < 0))
        return "window pixels count from 0 at the top-left corner";
    if (!withinScreen(line.command.x, lowest) || !withinScreen(line.command.y, lowest))
        return "pixels are at most " + std::to_string(ScriptCommand::kMaxPixels) + " either way";
    return {};
}

std::string parseButton(Line line)
{
    if (line.arguments == "left")
        line.command.button = SDL_BUTTON_LEFT;
    else if (line.arguments == "right")
        line.command.button = SDL_BUTTON_RIGHT;
    else if (line.arguments == "middle")
        line.command.button = SDL_BUTTON_MIDDLE;
    else
        return "needs left, right or middle";
    return {};
}

std::string parseWheel(Line line)
{
    if (line.arguments == "up")
        line.command.wheel = 1;
    else if (line.arguments == "down")
        line.command.wheel = -1;
    else
        return "needs up or down";
    return {};
}

std::string parseText(Line line)
{
    if (line.arguments.empty())
        return "needs the text to type";
    if (!utf8::is_valid(line.arguments.begin(), line.arguments.end()))
        return "text is not valid UTF-8";
    line.command.text = line.arguments;
    return {};
}

std::string parseWait(Line line)
{
    if (!parseInt(line.arguments, line.command.updates) || line.command.updates < 1)
        return "needs a whole number of updates, 1 or more (100 updates = 1 second)";
    return {};
}

bool endsWithPng(std::string_view name)
{
    if (name.size() <= 4)
        return false;
    std::string ending(name.substr(name.size() - 4));
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == ".png";
}

std::string parseScreenshot(Line line)
{
    if (!endsWithPng(line.arguments))
        return "needs a file name ending in .png";
    line.command.text = line.arguments;
    return {};
}

std::string parseSize(Line line)
{
    if (!parsePixels(line.arguments, line.command) || !withinScreen(line.command.x, 1)
        || !withinScreen(line.command.y, 1))
        return "needs the window's new width and height in pixels, 1 to " + std::to_string(ScriptCommand::kMaxPixels)
               + ", e.g. resize 1024 600";
    return {};
}

std::string parseNothing(Line line)
{
    return line.arguments.empty() ? std::string() : "takes no arguments";
}

struct CommandSyntax {
    std::string_view keyword;
    Kind kind;
    std::string (*parse)(Line);
};

const CommandSyntax kSyntax[] = {
    {"keydown", Kind::KeyDown, parseKey},
    {"keyup", Kind::KeyUp, parseKey},
    {"mouse", Kind::MouseTo, [](Line line) { return parsePoint(line, false); }},
    {"mouseby", Kind::MouseBy, [](Line line) { return parsePoint(line, true); }},
    {"mousedown", Kind::ButtonDown, parseButton},
    {"mouseup", Kind::ButtonUp, parseButton},
    {"wheel", Kind::Wheel, parseWheel},
    {"text", Kind::Text, parseText},
    {"wait", Kind::Wait, parseWait},
    {"screenshot", Kind::Screenshot, parseScreenshot},
    {"resize", Kind::Resize, parseSize},
    {"quit", Kind::Quit, parseNothing},
};

// Parses one non-blank, non-comment line; returns an error message, empty on success.
std::string parseLine(std::string_view text, ScriptCommand& command)
{
    const size_t keywordEnd = std::min(text.find_first_of(kSpaces), text.size());
    const std::string_view keyword = text.substr(0, keywordEnd);
    for (const CommandSyntax& syntax : kSyntax) {
        if (syntax.keyword != keyword)
            continue;
        command.kind = syntax.kind;
        const std::string error = syntax.parse(Line{trim(text.substr(keywordEnd), kSpaces), command});
        return error.empty() ? error : std::string(keyword) + " " + error;
    }
    return "unknown command " + inQuotes(keyword) + "; the commands are " + std::string(kKnownCommands);
}

} // namespace

std::optional<Script> Script::parse(std::string_view text, ScriptError& error)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    Script script;
    const std::vector<std::string> lines = splitLines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string_view line = trim(lines[index], kSpaces);
        if (line.empty() || line.front() == '#')
            continue;
        ScriptCommand command;
        command.line = static_cast<int>(index) + 1;
        std::string message = parseLine(line, command);
        if (!message.empty()) {
            error = {command.line, std::move(message)};
            return std::nullopt;
        }
        script.commands_.push_back(std::move(command));
    }
    return script;
}

std::optional<Script> Script::load(const std::filesystem::path& file, ScriptError& error)
{
    std::string text;
    if (!readFileBytes(file, text)) {
        error = {0, "cannot read the script file"};
        return std::nullopt;
    }
    std::optional<Script> script = parse(text, error);
    if (!script)
        return std::nullopt;
    for (const ScriptCommand& command : script->commands_) {
        if (command.kind != Kind::Screenshot)
            continue;
        const std::filesystem::path folder = std::filesystem::path(command.text).parent_path();
        std::error_code ignored;
        if (!folder.empty() && !std::filesystem::is_directory(folder, ignored)) {
            error = {command.line, "screenshot folder " + inQuotes(folder.string()) + " does not exist"};
            return std::nullopt;
        }
    }
    return script;
}

} // namespace Engine::Autoplay
