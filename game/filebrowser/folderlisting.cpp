#include "game/filebrowser/folderlisting.h"

#include "engine/core/log.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace UI {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

FolderListing failed(const std::filesystem::path& folder, const std::error_code& error)
{
    FolderListing listing;
    listing.problem = folder.u8string() + ": " + error.message();
    return listing;
}

} // namespace

std::string lowerCaseExtension(std::string_view name)
{
    const std::string extension = std::filesystem::u8path(name.begin(), name.end()).extension().u8string();
    std::string lower;
    lower.reserve(extension.size());
    for (size_t i = 1; i < extension.size(); ++i) // past the dot
        lower += lowerAscii(extension[i]);
    return lower;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool namesInOrder(const std::string& a, const std::string& b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Runs of digits compare by their value: "level2" before "level10".
            size_t endA = i;
            size_t endB = j;
            while (endA < a.size() && isDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isDigit(b[endB]))
                ++endB;
            size_t startA = i;
            size_t startB = j;
            while (startA + 1 < endA && a[startA] == '0')
                ++startA;
            while (startB + 1 < endB && b[startB] == '0')
                ++startB;
            const std::string_view digitsA(a.data() + startA, endA - startA);
            const std::string_view digitsB(b.data() + startB, endB - startB);
            if (digitsA.size() != digitsB.size())
                return digitsA.size() < digitsB.size();
            if (digitsA != digitsB)
                return digitsA < digitsB;
            i = endA;
            j = endB;
            continue;
        }
        const char la = lowerAscii(a[i]);
        const char lb = lowerAscii(b[j]);
        if (la != lb)
            return static_cast<unsigned char>(la) < static_cast<unsigned char>(lb);
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

FolderListing listFolder(const std::filesystem::path& folder, const std::set<std::string>& extensions)
{
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    if (error)
        return failed(folder, error);

    FolderListing listing;
    for (const std::filesystem::directory_iterator end; entry != end; entry.increment(error)) {
        if (error)
            return failed(folder, error);
        std::string name = entry->path().filename().u8string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code statusError;
        const bool isFolder = entry->is_directory(statusError);
        // A link to nothing has no status to read; it is listed as the file it names. Any other
        // entry without a status (a link to itself, a cycle of links) is left out, not the folder.
        if (statusError && statusError != std::errc::no_such_file_or_directory) {
            Engine::logLine("Skipped " + entry->path().u8string() + ": " + statusError.message());
            continue;
        }
        if (isFolder)
            listing.folders.push_back(std::move(name));
        else if (extensions.empty() || extensions.count(lowerCaseExtension(name)) != 0)
            listing.files.push_back(std::move(name));
    }
    if (error)
        return failed(folder, error);
    std::sort(listing.folders.begin(), listing.folders.end(), namesInOrder);
    std::sort(listing.files.begin(), listing.files.end(), namesInOrder);
    listing.ok = true;
    return listing;
}

} // namespace UI
