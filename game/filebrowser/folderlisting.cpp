#include "game/filebrowser/folderlisting.h"

#include <algorithm>
#include <cerrno>
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

bool namesInOrder(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char la = lowerAscii(a[i]);
        const char lb = lowerAscii(b[i]);
        if (la != lb)
            return static_cast<unsigned char>(la) < static_cast<unsigned char>(lb);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
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
        // A link to nothing has no status to read; it is listed as the file it names.
        if (statusError && statusError != std::errc::no_such_file_or_directory)
            return failed(entry->path(), statusError);
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
