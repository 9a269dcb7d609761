// Plays tests/autoplay/mapfiles.txt on the real game with HOME in a temporary folder: two blocks
// saved as "twoblocks", a new map, "twoblocks" loaded back, and a save over it cancelled. Then a
// save into a folder that cannot be written (mounted read-only in a private mount namespace).
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct ShellRun {
    int status = -1;
    std::string output;
};

// Runs a shell command, keeping its status and what it printed.
ShellRun runShell(const std::string& command)
{
    ShellRun run;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char chunk[512];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        run.output.append(chunk, got);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string binary(const char* name)
{
    const char* binDir = std::getenv("TX_BIN_DIR");
    return "'" + std::string(binDir ? binDir : "build/bin") + "/" + name + "'";
}

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t count(const std::string& text, const std::string& piece)
{
    size_t found = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++found;
    return found;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Image = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Image loadRgba(const std::filesystem::path& file)
{
    const Image loaded(IMG_Load(file.c_str()));
    return Image(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
}

// Fraction of the pixels of the floor band where the blocks stand (rows 400 to 480) whose
// colour differs clearly between two shots.
double floorBandChange(const SDL_Surface& a, const SDL_Surface& b)
{
    size_t changed = 0;
    size_t total = 0;
    for (int y = 400; y < 480; ++y) {
        const auto* rowA = static_cast<const Uint8*>(a.pixels) + y * a.pitch;
        const auto* rowB = static_cast<const Uint8*>(b.pixels) + y * b.pitch;
        for (int x = 300; x < 980; ++x, ++total) {
            const int i = x * 4;
            const int difference = std::max({std::abs(rowA[i] - rowB[i]), std::abs(rowA[i + 1] - rowB[i + 1]),
                                             std::abs(rowA[i + 2] - rowB[i + 2])});
            changed += difference > 24 ? 1 : 0;
        }
    }
    return static_cast<double>(changed) / static_cast<double>(total);
}

} // namespace

TEST(MapFilesAutoplayTest, SaveNewLoadAndACancelledOverwrite)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    std::filesystem::create_directories(home / "Documents");
    std::ifstream in("tests/autoplay/mapfiles.txt");
    std::string script(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(script.empty());
    for (size_t at = script.find("build/shots/"); at != std::string::npos; at = script.find("build/shots/", at))
        script.replace(at, 12, dir.path().string() + "/");

    const ShellRun run = runShell("HOME=" + quoted(home) + " " + binary("tetherix-autoplay") + " " +
                             quoted(dir.write("mapfiles.txt", script)));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto file = home / "Documents" / "Tetherix" / "twoblocks.rmap";
    EXPECT_EQ(count(run.output, "FILEPATH\n"), 1u) << "the cancelled overwrite wrote nothing\n" << run.output;
    EXPECT_NE(run.output.find("NEW MAP\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("MAP LOADED: " + file.string() + " (2 blocks)\n"), std::string::npos) << run.output;

    const ShellRun info = runShell(binary("rmapinfo") + " " + quoted(file));
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
    const ShellRun probe = runShell("unshare -m sh -c \"" + readOnly + " && ! touch " + quoted(maps / "probe") + "\"");
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
    const ShellRun run = runShell("unshare -m sh -c \"" + readOnly + " && HOME=" + quoted(home) + " exec " +
                             binary("tetherix-autoplay") + " " + quoted(script) + "\"");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("FILEPATH\n" + (maps / "old.rmap").string() + "\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("MAP NOT SAVED: "), std::string::npos) << run.output;
    EXPECT_EQ(bytesOf(maps / "old.rmap"), oldMap);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(maps), {}), 1) << "no file left behind";
}
