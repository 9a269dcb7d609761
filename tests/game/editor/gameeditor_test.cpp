// The editor in the running game: timed backups of a map with unsaved changes.
#include "game/editor/gameeditor.h"

#include "game/gamemap/mapfile.h"
#include "tests/game/editor/editorgame.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using Game::EditorAutosave;

using TestSupport::fileBytes;

namespace {

size_t linesStartingWith(const std::string& console, const std::string& start)
{
    const std::string lines = "\n" + console, needle = "\n" + start;
    size_t count = 0;
    for (size_t at = lines.find(needle); at != std::string::npos; at = lines.find(needle, at + 1))
        ++count;
    return count;
}

class GameEditorTest : public EditorTest::EditorGame {};

} // namespace

TEST_F(GameEditorTest, BacksUpTheChangedMapEveryTwoMinutesAndAFailedBackupInterruptsNothing)
{
    const int interval = int(EditorAutosave::kIntervalTicks);
    addBlock({0, 0, 1});
    addBlock({3, 0, 1});
    saveAs("level");
    clickButton("OK");
    const auto level = mapFolder / "level.rmap";
    const std::string saved = fileBytes(level);
    const auto backups = mapFolder / EditorAutosave::kFolderName;

    runUndrawnUpdates(interval);
    EXPECT_FALSE(std::filesystem::exists(backups)) << "a saved map needs no backup";

    makeUnsavedChange();
    addBlock({6, 0, 1});
    testing::internal::CaptureStdout();
    runUndrawnUpdates(interval - 3); // two updates with the change have run
    EXPECT_FALSE(std::filesystem::exists(backups));
    runUndrawnUpdates(1);
    std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(Game::MapFile::readFile(EditorAutosave::slotPath(backups, 1)).qubes.size(), 3u);
    EXPECT_EQ(linesStartingWith(console, "AUTOSAVE "), 1u) << console;
    EXPECT_EQ(fileBytes(level), saved) << "the user's file is left alone";

    // The folder cannot be made: one line, no pop-up, and the editor goes on as before.
    std::filesystem::remove_all(backups);
    std::ofstream(backups) << "a file in the folder's place";
    testing::internal::CaptureStdout();
    runUndrawnUpdates(interval);
    console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(linesStartingWith(console, "AUTOSAVE FAILED: "), 1u) << console;
    EXPECT_EQ(world().componentList<Component::UIblockerComponent>().size(), 0u) << "no pop-up";
    EXPECT_FALSE(game().stateRecord().paused);
    EXPECT_EQ(source.windowTitle, "Engine *");
    tap(SDL_SCANCODE_G);
    EXPECT_TRUE(editorData().snapping) << "keys still reach the editor";
}
