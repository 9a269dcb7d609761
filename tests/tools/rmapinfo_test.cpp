// Runs the built rmapinfo tool ($TX_BIN_DIR/rmapinfo) on good and damaged files.
#include "game/gamemap/mapfile.h"
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TestSupport::ProgramRun runRmapinfo(const std::string& arguments)
{
    return TestSupport::runCommand(TestSupport::program("rmapinfo") + " " + arguments);
}

std::string quoted(const std::filesystem::path& path)
{
    return TestSupport::shellQuoted(path.string());
}

} // namespace

TEST(Rmapinfo, SummarisesValidMaps)
{
    TestSupport::TempDir dir;
    const auto level = dir.path() / "level.rmap";
    ASSERT_TRUE(Game::MapFile::writeFile(level, {{{-1.5f, 2, 0}, {1, 1, 1}, {1, 0, 0, 0}},
                                                 {{4, -3.25f, 7}, {2, 2, 2}, {1, 0, 0, 0}}}).ok());
    const auto empty = dir.path() / "empty.rmap";
    ASSERT_TRUE(Game::MapFile::writeFile(empty, {}).ok());

    const TestSupport::ProgramRun run = runRmapinfo(quoted(level) + " " + quoted(empty));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(level.string() + ": 2 blocks, x -1.50 to 4.00, y -3.25 to 2.00, z 0.00 to 7.00\n"),
              std::string::npos) << run.output;
    EXPECT_NE(run.output.find(empty.string() + ": 0 blocks\n"), std::string::npos) << run.output;
}

TEST(Rmapinfo, NamesEachBadFileAndFails)
{
    TestSupport::TempDir dir;
    const auto good = dir.path() / "good.rmap";
    ASSERT_TRUE(Game::MapFile::writeFile(good, {{{0, 0, 0}, {1, 1, 1}, {1, 0, 0, 0}}}).ok());
    const auto text = dir.write("notes.txt", "this is not a map at all");
    const auto cut = dir.write("cut.rmap", std::string("\x04rmap\x00\x00\x00\x00\x03", 10) + std::string(50, '\x01'));
    const auto missing = dir.path() / "missing.rmap";

    const TestSupport::ProgramRun run = runRmapinfo(quoted(good) + " " + quoted(text) + " " + quoted(cut) + " " + quoted(missing));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find(good.string() + ": 1 block, "), std::string::npos) << run.output;
    for (const auto& bad : {text, cut, missing})
        EXPECT_NE(run.output.find(bad.string() + ": not a valid map: "), std::string::npos) << run.output;

    EXPECT_EQ(runRmapinfo("").status, 2);
}
