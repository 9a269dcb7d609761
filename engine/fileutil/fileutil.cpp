#include "engine/fileutil/fileutil.h"

#include "engine/core/log.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <objbase.h>
#include <shlobj.h>
#endif

namespace Engine {

std::vector<std::string_view> splitDroppingEmpty(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::filesystem::path resolvedPath(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

void logMissingFile(const std::filesystem::path& path)
{
    logLine("MISSING FILE: " + path.string());
}

std::string_view trim(std::string_view text, std::string_view characters)
{
    const size_t first = text.find_first_not_of(characters);
    if (first == std::string_view::npos)
        return std::string_view();
    return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

bool takeLine(std::string_view& text, std::string_view& line, std::string_view& ending)
{
    if (text.empty())
        return false;
    const size_t feed = text.find('\n');
    size_t end = feed == std::string_view::npos ? text.size() : feed;
    const size_t next = feed == std::string_view::npos ? text.size() : feed + 1;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    line = text.substr(0, end);
    ending = text.substr(end, next - end);
    text.remove_prefix(next);
    return true;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string_view line;
    std::string_view ending;
    while (takeLine(text, line, ending))
        lines.emplace_back(line);
    return lines;
}

bool readFileBytes(const std::filesystem::path& path, std::string& out)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return false;
    out = std::move(content);
    return true;
}

std::vector<std::string> readLines(const std::filesystem::path& path)
{
    std::string content;
    if (!readFileBytes(path, content)) {
        logMissingFile(path);
        return {};
    }
    return splitLines(content);
}

std::string readTextFile(const std::filesystem::path& path)
{
    std::string content;
    if (!readFileBytes(path, content))
        return std::string();
    std::string text;
    text.reserve(content.size() + 1);
    for (const std::string& line : splitLines(content)) {
        text += line;
        text += '\n';
    }
    return text;
}

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::filesystem::path userConfigHome()
{
#ifdef _WIN32
    const std::string appData = environment("APPDATA");
    return appData.empty() ? std::filesystem::path() : std::filesystem::path(appData);
#else
    const std::string configHome = environment("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome.front() == '/')
        return configHome;
    const std::string home = environment("HOME");
    return home.empty() ? std::filesystem::path() : std::filesystem::path(home) / ".config";
#endif
}

namespace {

#ifdef _WIN32

std::optional<std::filesystem::path> documentsFolder()
{
    PWSTR folder = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &folder);
    std::optional<std::filesystem::path> found;
    if (SUCCEEDED(result) && folder != nullptr)
        found = std::filesystem::path(folder);
    CoTaskMemFree(folder);
    return found;
}

#else

// Value of one `XDG_DOCUMENTS_DIR=...` line of the user-dirs file, unquoted and with a leading
// $HOME expanded; nothing when the line is another one or the value is not an absolute path.
std::optional<std::filesystem::path> documentsEntry(std::string_view line, const std::string& home)
{
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line.substr(first, kKey.size()) != kKey)
        return std::nullopt;
    std::string_view raw = line.substr(first + kKey.size());
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t'))
        raw.remove_suffix(1);
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
        raw = raw.substr(1, raw.size() - 2);

    std::string value;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size())
            ++i;
        value += raw[i];
    }
    for (const std::string_view variable : {std::string_view("${HOME}"), std::string_view("$HOME")}) {
        if (value.compare(0, variable.size(), variable) == 0) {
            if (home.empty())
                return std::nullopt;
            value = home + value.substr(variable.size());
            break;
        }
    }
    if (value.empty() || value.front() != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

std::optional<std::filesystem::path> documentsFolder()
{
    const std::string home = environment("HOME");
    const std::filesystem::path configHome = userConfigHome();

    std::optional<std::filesystem::path> folder;
    std::string userDirs;
    if (!configHome.empty() && readFileBytes(configHome / "user-dirs.dirs", userDirs)) {
        for (const std::string& line : splitLines(userDirs)) {
            if (auto entry = documentsEntry(line, home))
                folder = std::move(entry);
        }
    }
    if (!folder && !home.empty())
        folder = std::filesystem::path(home) / "Documents";
    return folder;
}

#endif

} // namespace

bool getUserMapFolder(std::filesystem::path& path)
{
    const std::optional<std::filesystem::path> documents = documentsFolder();
    if (!documents)
        return false;
    path = *documents / kUserMapFolderName;
    return true;
}

bool prepareUserMapFolder(std::filesystem::path& path)
{
    std::filesystem::path folder;
    if (!getUserMapFolder(folder)) {
        logLine("No Documents folder found: maps cannot be saved.");
        return false;
    }
    // A fresh account may have no Documents folder yet: it is made here, as the desktop's own
    // tools would make it.
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        const std::string reason = error ? error.message() : "a file has its name";
        logLine("Cannot create the map folder " + folder.string() + " (" + reason + "): maps cannot be saved.");
        return false;
    }
    path = folder;
    return true;
}

} // namespace Engine
