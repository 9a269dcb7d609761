#include "engine/fileutil/gamefolders.h"

#include "engine/fileutil/fileutil.h"

#include <SDL.h>

#include <system_error>

namespace Engine {

namespace {

bool holdsData(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::filesystem::is_directory(folder / "data", error);
}

} // namespace

std::filesystem::path GameFolders::file(std::string_view relative) const
{
    return root.empty() ? std::filesystem::path(relative) : root / relative;
}

std::filesystem::path GameFolders::shippedConfig() const
{
    return root.empty() ? std::filesystem::path("./profile/config.cfg") : root / "profile" / "config.cfg";
}

std::filesystem::path findGameRoot(const std::filesystem::path& workingFolder,
                                   const std::filesystem::path& executableFolder)
{
    if (holdsData(workingFolder))
        return {};
    if (executableFolder.empty())
        return {};
    if (holdsData(executableFolder))
        return resolvedPath(executableFolder);
    const std::filesystem::path share = executableFolder / ".." / "share" / kGameFolderName;
    if (holdsData(share))
        return resolvedPath(share);
    return {};
}

std::filesystem::path executableFolder()
{
    char* base = SDL_GetBasePath();
    if (base == nullptr)
        return {};
    const std::filesystem::path folder(base);
    SDL_free(base);
    return folder;
}

std::filesystem::path userConfigFile()
{
    const std::filesystem::path home = userConfigHome();
    return home.empty() ? home : home / kGameFolderName / "config.cfg";
}

GameFolders locateGameFolders()
{
    GameFolders folders;
    folders.root = findGameRoot(".", executableFolder());
    folders.userConfig = userConfigFile();
    return folders;
}

} // namespace Engine
