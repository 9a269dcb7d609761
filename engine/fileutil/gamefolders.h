#pragma once
// Where the game finds what it ships (the data/ and profile/ folders) and where it keeps the
// user's own settings. Started from the source tree, the game reads the working directory's
// folders as it always did; installed, it finds them beside its executable or in the share
// folder of the prefix it was installed under (PREFIX/bin/tetherix reads PREFIX/share/tetherix).
#include <filesystem>
#include <string_view>

namespace Engine {

// The name of the game's folders under a share folder and under the user's configuration folder.
inline constexpr const char* kGameFolderName = "tetherix";

struct GameFolders {
    // The folder that holds data/ and profile/; empty for the working directory, whose files are
    // then named as relative paths ("data/...", "./profile/config.cfg").
    std::filesystem::path root;
    // The user's configuration file, written by the Options screen; empty when there is no
    // configuration folder to keep it in.
    std::filesystem::path userConfig;

    // `relative` (such as "data/fonts/engine_font.fnt") under the root.
    std::filesystem::path file(std::string_view relative) const;
    // The shipped configuration: the defaults for the user's.
    std::filesystem::path shippedConfig() const;
};

// The folder that holds data/: the working directory `workingFolder` when it has one, else
// `executableFolder`, else `executableFolder`/../share/tetherix. Empty (the working directory)
// when none of them has it, so that the missing files are reported under their usual names.
// Found folders other than the working directory come back absolute and without "..".
std::filesystem::path findGameRoot(const std::filesystem::path& workingFolder,
                                   const std::filesystem::path& executableFolder);

// The folder of the running executable; empty when the system cannot tell.
std::filesystem::path executableFolder();

// The user's configuration file: "tetherix/config.cfg" in userConfigHome(); empty without one.
std::filesystem::path userConfigFile();

// The folders of this run: the root found from the working directory and the executable's
// folder, and the user's configuration file.
GameFolders locateGameFolders();

} // namespace Engine
