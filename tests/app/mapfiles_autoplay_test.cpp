// Plays tests/autoplay/mapfiles.txt on the real game with HOME in a temporary folder: two blocks
// saved as "twoblocks", a new map, "twoblocks" loaded back, and a save over it cancelled. Then a
// save into a folder that cannot be written (mounted read-only in a private mount namespace).
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using TestSupport::fileText;
using TestSupport::Image;
using TestSupport::loadRgba;
using TestSupport::program;
using TestSupport::ProgramRun;
using TestSupport::runCommand;

std::string quoted(const std::filesystem::path& path)
{
    return TestSupport::shellQuoted(path.string());
}

size_t count(const std::string& text, const std::string& piece)
{
    size_t found = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++found;
    return found;
}

// Fraction of the floor band where the blocks stand whose colour differs clearly between two shots.
double floorBandChange(const SDL_Surface& a, const SDL_Surface& b)
{
    return TestSupport::changedFraction(a, b, 300, 400, 980, 480);
}

} // namespace

TEST(MapFilesAutoplayTest, SaveNewLoadAndACancelledOverwrite)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    std::filesystem::create_directories(home / "Documents");
    const auto script = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/mapfiles.txt");
    ASSERT_FALSE(script.empty());
    const ProgramRun run = TestSupport::runAutoplayShotsOnly(script, home);
    ASSERT_EQ(run.status, 0) << run.output;
    const auto file = home / "Documents" / "Tetherix" / "twoblocks.rmap";
    EXPECT_EQ(count(run.output, "FILEPATH\n"), 1u) << "the cancelled overwrite wrote nothing\n" << run.output;
    EXPECT_NE(run.output.find("NEW MAP\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("MAP LOADED: " + file.string() + " (2 blocks)\n"), std::string::npos) << run.output;

    const ProgramRun info = runCommand(program("rmapinfo") + " " + quoted(file));
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_EQ(info.output.rfind(file.string() + ": 2 blocks,", 0), 0u) << info.output;

    const Image two = loadRgba(dir.path() / "files-03-two-blocks.png");
    const Image empty = loadRgba(dir.path() / "files-07-empty.png");
    const Image loaded = loadRgba(dir.path() / "files-11-loaded.png");
    ASSERT_TRUE(two && empty && loaded) << IMG_GetError();
    EXPECT_GT(floorBandChange(*two, *empty), 0.05) << "\"New\" left the blocks standing";
    EXPECT_LT(floorBandChange(*two, *loaded), 0.01) << "the loaded blocks stand where they were saved";
}

TEST(MapFilesAutoplayTest, ASaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    const auto maps = home / "Documents" / "Tetherix";
    std::filesystem::create_directories(maps);
    const std::string oldMap("\x04rmap\x00\x00\x00\x00\x00", 10); // a valid map without blocks
    dir.write("home/Documents/Tetherix/old.rmap", oldMap);

    // The map folder is mounted read-only over itself, for the game's process only.
    const std::string readOnly = "mount --bind " + quoted(maps) + " " + quoted(maps) + " && mount -o remount,bind,ro " +
                                 quoted(maps) + " " + quoted(maps);
    const ProgramRun probe = runCommand("unshare -m sh -c \"" + readOnly + " && ! touch " + quoted(maps / "probe") + "\"");
    if (probe.status != 0)
        GTEST_SKIP() << "no private read-only mount here: " << probe.output;

    const auto shot = dir.path() / "save-failed.png";
    const std::string click = "wait 2\nmousedown left\nwait 1\nmouseup left\nwait 5\n";
    const auto script = dir.write("readonly.txt", "wait 20\nmouse 160 448\n" + click + "wait 10\n" +
                                                      "mouse 64 58\n" + click + "mouse 64 106\n" + click +
                                                      "mouse 640 450\n" + click + // a block
                                                      "mouse 210 16\n" + click + "mouse 600 196\n" + click +
                                                      "mouse 944 656\n" + click + // SAVE over old.rmap
                                                      "mouse 790 486\n" + click + // OVERWRITE
                                                      "screenshot " + shot.string() + "\nquit\n");
    const ProgramRun run = runCommand("unshare -m sh -c \"" + readOnly + " && HOME=" + quoted(home) + " exec " +
                             program("tetherix-autoplay") + " " + quoted(script) + "\"");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("FILEPATH\n" + (maps / "old.rmap").string() + "\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("MAP NOT SAVED: "), std::string::npos) << run.output;
    EXPECT_EQ(fileText(maps / "old.rmap"), oldMap);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(maps), {}), 1) << "no file left behind";
}
