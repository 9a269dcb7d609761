// Plays tests/autoplay/course.txt on the real game with HOME in a temporary folder: a time trial
// over a small course chosen in "Play a map", run twice the same way with a restart between.
#include "game/course/checksum.h"
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

} // namespace

TEST(CourseAutoplayTest, TheSameRunTwiceFinishesInTheSameTimeAndLeavesARecord)
{
    const TestSupport::TempDir dir;
    const auto home = dir.path() / "home";
    writeSprint(home / "Documents" / "Tetherix");
    const auto script = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/course.txt");
    ASSERT_FALSE(script.empty());
    const TestSupport::ProgramRun run = TestSupport::runAutoplay(script, home);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("COURSE LOADED: "), std::string::npos) << run.output;

    const std::vector<std::string> finishes = linesStartingWith(run.output, "RUN FINISHED ");
    ASSERT_EQ(finishes.size(), 2u) << run.output;
    EXPECT_EQ(finishes[0], finishes[1]) << "counted in steps, the same input gives the same time";
    EXPECT_EQ(finishes[0].size(), std::string("RUN FINISHED 0:01.62").size()) << finishes[0];

    size_t records = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home / ".local" / "share" / "tetherix" / "records"))
        records += entry.path().extension() == ".record" ? 1 : 0;
    EXPECT_EQ(records, 1u);
    for (const char* shot : {"course-01-chooser.png", "course-02-start.png", "course-03-finish.png", "course-04-split.png"})
        EXPECT_TRUE(std::filesystem::exists(dir.path() / shot)) << shot;
}
