// Installs the build into a temporary prefix and starts the installed copy from another folder,
// with a fresh home folder, through the installed tetherix-autoplay: it must find its data under
// the prefix, read the user's settings from the XDG configuration folder, and reach the menu.
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;
using TestSupport::fileText;
using TestSupport::shellQuoted;

namespace {

// The menu's dark column (32 to 288 across) from near the top to near the bottom of the window.
bool menuColumnDrawn(const SDL_Surface& image)
{
    return TestSupport::fractionOf(image, 40, 20, 280, image.h - 20,
                                   [](int r, int g, int b) { return r + g + b < 90; }) > 0.8;
}

} // namespace

TEST(InstallTest, AnInstalledCopyStartedElsewhereFindsItsFilesAndTheUsersSettings)
{
    const char* buildDir = std::getenv("TX_BUILD_DIR");
    const char* cmake = std::getenv("TX_CMAKE");
    if (!buildDir || !cmake)
        GTEST_SKIP() << "TX_BUILD_DIR and TX_CMAKE name the build to install (ctest sets them)";

    const TestSupport::TempDir dir;
    const fs::path prefix = dir.path() / "prefix with space";
    const std::string install = shellQuoted(cmake) + " --install " + shellQuoted(buildDir) + " --prefix " +
                                shellQuoted(prefix.string());
    const TestSupport::ProgramRun installed = TestSupport::runCommand(install + " && " + install + " --component autoplay");
    ASSERT_EQ(installed.status, 0) << installed.output;

    for (const char* file : {"bin/tetherix", "bin/rmapinfo", "bin/tetherix-autoplay", "share/tetherix/data/shaders.shconf",
                             "share/tetherix/data/fonts/engine_font.fnt", "share/tetherix/profile/config.cfg",
                             "share/tetherix/data/courses/1-first-steps.rmap", "share/tetherix/data/courses/1-first-steps.course",
                             "share/icons/hicolor/256x256/apps/tetherix.png",
                             "share/metainfo/org.example.Tetherix.metainfo.xml"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    const std::string entry = fileText(prefix / "share/applications/tetherix.desktop");
    EXPECT_NE(entry.find("\nExec=\"" + (prefix / "bin/tetherix").string() + "\"\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=tetherix\n"), std::string::npos) << entry;
    EXPECT_EQ(fileText(prefix / "share/tetherix/profile/config.cfg"), fileText("profile/config.cfg"));

    // Another folder without data/ or profile/, and a home folder whose settings ask for a
    // smaller window than the shipped profile's.
    const fs::path work = dir.path() / "work";
    const fs::path home = dir.path() / "home";
    fs::create_directories(work);
    dir.write("home/.config/tetherix/config.cfg", "resolution_width = 960\nresolution_height = 600\n");
    const fs::path shot = work / "menu.png";
    dir.write("work/menu.txt", "mouse 900 100\nwait 20\nscreenshot menu.png\nquit\n");
    const TestSupport::ProgramRun run = TestSupport::runCommand(
        "cd " + shellQuoted(work.string()) + " && env -u XDG_CONFIG_HOME HOME=" + shellQuoted(home.string()) + " " +
        shellQuoted((prefix / "bin/tetherix-autoplay").string()) + " menu.txt");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Game files: " + fs::canonical(prefix / "share/tetherix").string() + "\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("MISSING FILE"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("GameController initialised\n"), std::string::npos) << run.output;

    const TestSupport::Image image = TestSupport::loadRgba(shot);
    ASSERT_TRUE(image) << run.output;
    EXPECT_EQ(image->w, 960) << "the user's configured width";
    EXPECT_EQ(image->h, 600);
    EXPECT_TRUE(menuColumnDrawn(*image));
}
