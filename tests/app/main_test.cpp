// The game's command line: `tetherix --version` prints the version that the AppStream metadata's
// release names, and returns at once without opening a window.
#include "tests/support/programrun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

TEST(MainTest, VersionIsTheOneTheMetadataReleases)
{
    const char* buildDir = std::getenv("TX_BUILD_DIR");
    if (!buildDir)
        GTEST_SKIP() << "TX_BUILD_DIR names the build whose metadata to read (ctest sets it)";
    std::string metainfo;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(buildDir) / "generated/share/metainfo"))
        metainfo = TestSupport::fileText(entry.path());
    std::smatch release;
    ASSERT_TRUE(std::regex_search(metainfo, release, std::regex("<release version=\"([0-9.]+)\""))) << metainfo;

    const TestSupport::ProgramRun run =
        TestSupport::runCommand("env -u DISPLAY " + TestSupport::program("tetherix") + " --version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "Tetherix " + release[1].str() + "\n");
}
