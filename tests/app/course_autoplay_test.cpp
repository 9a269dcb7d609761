// Plays tests/autoplay/course.txt on the real game with HOME in a temporary folder: a time trial
// over a small course chosen in "Play a map", run twice the same way with a restart between; and
// each shipped course to its finish. The records they leave re-play headless to their times with
// tetherix-autoplay --verify.
#include "game/course/checksum.h"
#include "game/course/runrecord.h"
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// The map "sprint" (no blocks) and its course: the start at the origin facing +x, a checkpoint
// 8 units ahead and the finish 16 units ahead.
void writeSprint(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    const std::string map = std::string("\x04rmap", 5) + std::string(5, '\0');
    std::ofstream(folder / "sprint.rmap", std::ios::binary) << map;
    std::ofstream(folder / "sprint.course") << "tetherix course 1\nmap sprint\nauthor test\n"
                                            << "map-checksum fnv1a64 " << Game::Checksum::toHex(Game::Checksum::fnv1a64(map))
                                            << "\nstart 0 0 1 1 2 2 1 0 0 0\n"
                                            << "checkpoint 1 8 0 1 0.5 3 2 1 0 0 0\n"
                                            << "finish 16 0 1 0.5 3 2 1 0 0 0\n";
}

std::vector<std::string> linesStartingWith(const std::string& text, const std::string& start)
{
    std::vector<std::string> found;
    for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1))
        found.push_back(text.substr(at, text.find('\n', at) - at));
    return found;
}

// The record files in the records folder of `home`.
std::vector<std::filesystem::path> recordsIn(const std::filesystem::path& home)
{
    std::vector<std::filesystem::path> records;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(home / ".local" / "share" / "tetherix" / "records", error))
        if (entry.path().extension() == ".record")
            records.push_back(entry.path());
    return records;
}

// tetherix-autoplay --verify RECORD [MAP] with HOME at `home`.
TestSupport::ProgramRun verifyRecord(const std::filesystem::path& home, const std::filesystem::path& record,
                                     const std::filesystem::path& map = {})
{
    const std::string user = "env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME=" + TestSupport::shellQuoted(home.string()) + " ";
    const std::string mapArgument = map.empty() ? "" : " " + TestSupport::shellQuoted(map.string());
    return TestSupport::runCommand(user + TestSupport::program("tetherix-autoplay") + " --verify "
                                   + TestSupport::shellQuoted(record.string()) + mapArgument);
}

} // namespace

TEST(CourseAutoplayTest, TheSameRunTwiceFinishesInTheSameTimeAndLeavesARecord)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    writeSprint(home / "Documents" / "Tetherix");
    const auto script = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/course.txt");
    ASSERT_FALSE(script.empty());
    // These runs check the course and its times, so only the frames of their screenshots are drawn.
    const TestSupport::ProgramRun run = TestSupport::runAutoplayShotsOnly(script, home);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("COURSE LOADED: "), std::string::npos) << run.output;

    const std::vector<std::string> finishes = linesStartingWith(run.output, "RUN FINISHED ");
    ASSERT_EQ(finishes.size(), 2u) << run.output;
    EXPECT_EQ(finishes[0], finishes[1]) << "counted in steps, the same input gives the same time";
    EXPECT_EQ(finishes[0].size(), std::string("RUN FINISHED 0:01.62").size()) << finishes[0];

    const std::vector<std::filesystem::path> records = recordsIn(home);
    ASSERT_EQ(records.size(), 1u);
    for (const char* shot : {"course-01-chooser.png", "course-02-start.png", "course-03-finish.png", "course-04-split.png",
                             "course-05-ghost.png"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / shot)) << shot;

    // The record re-plays to the time of the run, its map found in the user's map folder.
    const TestSupport::ProgramRun verified = verifyRecord(home, records[0]);
    EXPECT_EQ(verified.status, 0) << verified.output;
    EXPECT_NE(verified.output.find("REPLAYED: " + finishes[0].substr(13) + " ("), std::string::npos) << verified.output;
    EXPECT_NE(verified.output.find("VERIFY: matches"), std::string::npos) << verified.output;

    // A record whose stored time was changed, its checksum made good again, no longer matches.
    Game::RunRecordReadResult read = Game::RunRecordFile::decode(TestSupport::fileText(records[0]));
    ASSERT_TRUE(read.ok()) << read.problem;
    read.record.times.total -= 1;
    const std::filesystem::path forged = dir.write("forged.record", Game::RunRecordFile::encode(read.record));
    const TestSupport::ProgramRun refused = verifyRecord(home, forged, home / "Documents" / "Tetherix" / "sprint.rmap");
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_NE(refused.output.find("VERIFY: MISMATCH: the record says "), std::string::npos) << refused.output;

    // Without its map nothing can be verified, and the program says so.
    std::filesystem::remove(home / "Documents" / "Tetherix" / "sprint.rmap");
    const TestSupport::ProgramRun lost = verifyRecord(home, records[0]);
    EXPECT_EQ(lost.status, 2) << lost.output;
    EXPECT_NE(lost.output.find("VERIFY: cannot verify: "), std::string::npos) << lost.output;
}

// Each shipped course, chosen in the Courses tab of "Play a map", is run to its finish by its
// script (so it can be finished), and the record left re-plays to the same time.
class ShippedCourseAutoplayTest : public testing::TestWithParam<const char*> {};

TEST_P(ShippedCourseAutoplayTest, ItsScriptFinishesItAndTheRecordReplaysToTheSameTime)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    std::filesystem::create_directories(home / "Documents" / "Tetherix");
    const auto script = TestSupport::scriptWithShotsIn(dir, std::string("tests/autoplay/course-") + GetParam() + ".txt");
    ASSERT_FALSE(script.empty());
    // These runs check the course and its times, so only the frames of their screenshots are drawn.
    const TestSupport::ProgramRun run = TestSupport::runAutoplayShotsOnly(script, home);
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> finishes = linesStartingWith(run.output, "RUN FINISHED ");
    ASSERT_EQ(finishes.size(), 1u) << run.output;

    const std::vector<std::filesystem::path> records = recordsIn(home);
    ASSERT_EQ(records.size(), 1u);
    const TestSupport::ProgramRun verified = verifyRecord(home, records[0]);
    EXPECT_EQ(verified.status, 0) << verified.output;
    EXPECT_NE(verified.output.find("MAP: data/courses/"), std::string::npos) << "found among the shipped courses\n"
                                                                            << verified.output;
    EXPECT_NE(verified.output.find("REPLAYED: " + finishes[0].substr(13) + " ("), std::string::npos) << verified.output;
}

INSTANTIATE_TEST_SUITE_P(Courses, ShippedCourseAutoplayTest, testing::Values("first-steps", "swing", "reel"));
