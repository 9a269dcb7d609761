// Timed backups of the map: when they are due, how the five files rotate, and what is never
// touched.
#include "game/editor/editorautosave.h"

#include "game/course/coursefile.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using Game::EditorAutosave;

using TestSupport::fileBytes;

namespace {

std::vector<Game::QubeRecord> blocks(size_t count)
{
    std::vector<Game::QubeRecord> list(count);
    for (size_t i = 0; i < count; ++i)
        list[i].position = glm::vec3(float(i), 0.0f, 1.0f);
    return list;
}

size_t blocksIn(const std::filesystem::path& file)
{
    return Game::MapFile::readFile(file).qubes.size();
}

class EditorAutosaveTest : public ::testing::Test {
protected:
    TestSupport::TempDir dir;
    EditorAutosave autosave{[this](std::filesystem::path& folder) {
        folder = dir.path();
        return true;
    }};
    std::filesystem::path backups() const { return dir.path() / EditorAutosave::kFolderName; }
    std::filesystem::path slot(int n) const { return EditorAutosave::slotPath(backups(), n); }
    size_t filesInBackups() const
    {
        return size_t(std::distance(std::filesystem::directory_iterator(backups()), {}));
    }
};

} // namespace

TEST_F(EditorAutosaveTest, DueTwoMinutesOfUpdatesAfterTheFirstChangeThenEveryTwoMinutes)
{
    const auto ticksUntilDue = [this] {
        uint32_t ticks = 1;
        while (!autosave.due(true))
            ++ticks;
        return ticks;
    };
    EXPECT_EQ(ticksUntilDue(), EditorAutosave::kIntervalTicks);
    EXPECT_EQ(ticksUntilDue(), EditorAutosave::kIntervalTicks);

    // Saving (no unsaved changes) starts the count again.
    for (uint32_t i = 0; i < EditorAutosave::kIntervalTicks / 2; ++i)
        ASSERT_FALSE(autosave.due(true));
    EXPECT_FALSE(autosave.due(false));
    EXPECT_EQ(ticksUntilDue(), EditorAutosave::kIntervalTicks);
}

TEST_F(EditorAutosaveTest, KeepsTheNewestFiveAndNeverTouchesTheUsersFile)
{
    for (size_t n = 1; n <= 7; ++n) {
        testing::internal::CaptureStdout();
        ASSERT_TRUE(autosave.write(blocks(n), {}));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "AUTOSAVE " + slot(1).u8string() + "\n");
    }
    EXPECT_EQ(filesInBackups(), 5u) << "five backups and nothing else";
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(blocksIn(slot(n)), size_t(8 - n)) << "autosave-" << n;

    // The user saved a map over the name of the third backup: the rotation passes over it.
    std::ofstream(slot(3)) << "the user's own";
    testing::internal::CaptureStdout();
    ASSERT_TRUE(autosave.write(blocks(8), slot(3)));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(fileBytes(slot(3)), "the user's own");
    EXPECT_EQ(blocksIn(slot(1)), 8u);
    EXPECT_EQ(blocksIn(slot(2)), 7u);
    EXPECT_EQ(blocksIn(slot(4)), 6u);
    EXPECT_EQ(blocksIn(slot(5)), 4u);
}

TEST_F(EditorAutosaveTest, AFailedBackupSaysSoInOneLine)
{
    dir.write(EditorAutosave::kFolderName, "a file in the folder's place");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(autosave.write(blocks(1), {}));
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said.rfind("AUTOSAVE FAILED: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

    EditorAutosave nowhere([](std::filesystem::path&) { return false; });
    testing::internal::CaptureStdout();
    EXPECT_FALSE(nowhere.write(blocks(1), {}));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "AUTOSAVE FAILED: no map folder\n");
}

TEST_F(EditorAutosaveTest, ACourseGoesWithItsBackupAndMatchesItsBytes)
{
    Game::Course course;
    course.add(Game::Gate{Game::GateKind::Start, 0, Game::OrientedBox{}});
    ASSERT_TRUE(autosave.write(blocks(1), {}, course));
    ASSERT_TRUE(autosave.write(blocks(2), {}));
    const auto courseOf = [this](int n) { return Game::CourseFile::pathFor(slot(n)); };
    EXPECT_FALSE(std::filesystem::exists(courseOf(1))) << "the newest backup has no gates";
    ASSERT_TRUE(std::filesystem::exists(courseOf(2))) << "the course moved up with its map";
    const auto checksum = Game::CourseFile::mapChecksum(slot(2));
    ASSERT_TRUE(checksum);
    EXPECT_TRUE(Game::CourseFile::loadFor(slot(2), *checksum));

    ASSERT_TRUE(autosave.write(blocks(3), {}));
    EXPECT_TRUE(std::filesystem::exists(courseOf(3)));
    EXPECT_FALSE(std::filesystem::exists(courseOf(2))) << "no course is left beside a map it was not made for";
}
