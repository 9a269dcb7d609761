#include "engine/fileutil/gamefolders.h"

#include "tests/support/homeredirect.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using Engine::findGameRoot;

TEST(GameFoldersTest, FindsTheDataFolderInTheWorkingDirectoryBesideTheExecutableOrUnderShare)
{
    const TestSupport::TempDir dir;
    const fs::path prefix = dir.path() / "prefix";
    const fs::path bin = prefix / "bin";
    const fs::path elsewhere = dir.path() / "elsewhere";
    fs::create_directories(bin);
    fs::create_directories(elsewhere);

    // Nothing anywhere: the working directory, whose missing files are then reported.
    EXPECT_EQ(findGameRoot(elsewhere, bin), fs::path());

    // Installed: PREFIX/share/tetherix/data, found from PREFIX/bin, named without "..".
    fs::create_directories(prefix / "share" / "tetherix" / "data");
    EXPECT_EQ(findGameRoot(elsewhere, bin), fs::canonical(prefix / "share" / "tetherix"));
    EXPECT_EQ(findGameRoot(elsewhere, fs::path()), fs::path()) << "an unknown executable folder is not searched";

    // A data folder beside the executable (an unpacked archive) comes before the share folder...
    fs::create_directories(bin / "data");
    EXPECT_EQ(findGameRoot(elsewhere, bin), fs::canonical(bin));

    // ...and the working directory's before both, as when the game runs from its source tree.
    fs::create_directories(elsewhere / "data");
    EXPECT_EQ(findGameRoot(elsewhere, bin), fs::path());

    // A file named data is not the folder.
    const TestSupport::TempDir other;
    dir.write("prefix2/bin/data", "not a folder");
    EXPECT_EQ(findGameRoot(other.path(), dir.path() / "prefix2" / "bin"), fs::path());
}

TEST(GameFoldersTest, UserConfigurationLivesInTheXdgConfigFolder)
{
    const TestSupport::HomeRedirect home;
    EXPECT_EQ(Engine::userConfigFile(), home.home() / ".config" / "tetherix" / "config.cfg");

    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(Engine::userConfigFile(), fs::path("/somewhere/config/tetherix/config.cfg"));
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and ignored.
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(Engine::userConfigFile(), home.home() / ".config" / "tetherix" / "config.cfg");

    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(Engine::userConfigFile(), fs::path()) << "no folder to keep settings in";
}
