// Saving and loading maps through the editor's top bar, the file browser and the dialogs.
#include "game/editor/editormapfiles.h"

#include "game/course/coursefile.h"
#include "game/gamemap/mapfile.h"
#include "game/menu/menubuilder.h"
#include "tests/game/editor/editorgame.h"

#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using Game::EditorMapFiles;
namespace Names = Game::TopBarNames;

using TestSupport::fileBytes;

namespace {

class EditorMapFilesTest : public EditorTest::EditorGame {
protected:
    void dismissPopup() { clickButton("OK"); }
};

} // namespace

TEST_F(EditorMapFilesTest, SavesNewAndLoadsThroughTheTopBarAskingOnlyOverUnsavedChanges)
{
    addBlock({0, 0, 1});
    addBlock({5, 0, 1});
    testing::internal::CaptureStdout();
    saveAs("twoblocks");
    const std::string console = testing::internal::GetCapturedStdout();
    const auto file = mapFolder / "twoblocks.rmap";
    EXPECT_NE(console.find("CONFIRM\n"), std::string::npos) << console;
    EXPECT_NE(console.find("FILEPATH\n" + file.string() + "\n"), std::string::npos) << console;
    EXPECT_TRUE(showing(Game::GameMap::kSavedText));
    EXPECT_EQ(Game::MapFile::readFile(file).qubes.size(), 2u);
    EXPECT_EQ(browser(), ECS::InvalidEntity) << "the browser closes after saving";
    dismissPopup();
    clickOn(Names::newMap);
    EXPECT_FALSE(showing(EditorMapFiles::kNewMapQuestion));
    EXPECT_EQ(blocks(), 0u) << "saved: \"New\" empties the map at once";

    // With a change "New" asks first: "NO" keeps the map, "YES" empties it and the history.
    addBlock({0, 0, 1});
    makeUnsavedChange();
    clickOn(Names::newMap);
    EXPECT_TRUE(showing(EditorMapFiles::kNewMapQuestion));
    clickButton("NO");
    EXPECT_EQ(blocks(), 1u);
    clickOn(Names::newMap);
    clickButton("YES");
    EXPECT_EQ(blocks(), 0u);
    EXPECT_TRUE(editorData().history.empty());

    // "Load" lists every file of the map folder; OPEN loads into the new map at once.
    std::ofstream(mapFolder / "notes.txt") << "not a map";
    const auto openTwoBlocks = [this] {
        clickOn(Names::load);
        ASSERT_NE(browser(), ECS::InvalidEntity);
        EXPECT_EQ(browsed().files, (std::vector<std::string>{"notes.txt", "twoblocks.rmap"}));
        clickOn(browsed().entries[1]);
        clickButton("OPEN");
        EXPECT_EQ(browser(), ECS::InvalidEntity);
    };
    openTwoBlocks();
    EXPECT_FALSE(showing(EditorMapFiles::kLoadQuestion));
    EXPECT_EQ(blocks(), 2u);
    EXPECT_TRUE(showing(EditorMapFiles::kLoadedText));
    dismissPopup();

    // With a change the file is chosen first and the question follows.
    addBlock({9, 0, 1});
    makeUnsavedChange();
    openTwoBlocks();
    EXPECT_TRUE(showing(EditorMapFiles::kLoadQuestion));
    clickButton("NO");
    EXPECT_EQ(blocks(), 3u);
    EXPECT_TRUE(editorData().history.hasUnsavedChanges());
    openTwoBlocks();
    clickButton("YES");
    EXPECT_EQ(blocks(), 2u);
    EXPECT_FALSE(editorData().history.hasUnsavedChanges());
    EXPECT_EQ(source.windowTitle, "Engine");
    dismissPopup();

    // The loaded map is clean: "Back to menu" leaves without a question.
    tap(SDL_SCANCODE_ESCAPE);
    clickButton("Back to menu");
    EXPECT_FALSE(showing(EditorMapFiles::kLoadQuestion));
    EXPECT_EQ(game().stateRecord().state, Game::GameStateRecord::mainMenu);
}

TEST_F(EditorMapFilesTest, SavesTheCourseBesideTheMapAndLoadsItBackOnlyWithItsOwnBytes)
{
    addBlock({0, 0, 1});
    saveAs("plain");
    dismissPopup();
    EXPECT_FALSE(std::filesystem::exists(mapFolder / "plain.course")) << "no gates, no course file";
    const auto mapBytes = fileBytes(mapFolder / "plain.rmap");

    addGate(Game::GateKind::Start, {0, 5, 1});
    addGate(Game::GateKind::Checkpoint, {0, 10, 1});
    addGate(Game::GateKind::Checkpoint, {3, 10, 1});
    addGate(Game::GateKind::Finish, {0, 15, 1});
    const std::vector<Game::Gate> gates = editorScene().gates().course().gates();
    saveAs("course");
    EXPECT_TRUE(showing(Game::GameMap::kSavedText));
    dismissPopup();
    EXPECT_EQ(fileBytes(mapFolder / "course.rmap"), mapBytes) << "the map file is as without gates";
    const Game::CourseReadResult written = Game::CourseFile::readFile(mapFolder / "course.course");
    ASSERT_TRUE(written.ok()) << written.problem;
    EXPECT_EQ(written.document.mapName, "course");
    EXPECT_EQ(written.document.mapChecksum, Game::CourseFile::mapChecksum(mapFolder / "course.rmap"));
    EXPECT_EQ(written.document.course.summary(), "Course: start, 2 checkpoints, finish");

    const auto load = [this](const std::string& name) {
        clickOn(Names::load);
        const auto& files = browsed().files;
        const size_t index = size_t(std::find(files.begin(), files.end(), name) - files.begin());
        ASSERT_LT(index, files.size()) << name;
        clickOn(browsed().entries[index]);
        clickButton("OPEN");
        runUpdates(2);
        dismissPopup();
    };
    clickOn(Names::newMap);
    EXPECT_TRUE(editorScene().gates().course().empty());
    load("course.rmap");
    const Game::Course& loaded = editorScene().gates().course();
    ASSERT_EQ(loaded.gates().size(), gates.size());
    for (const Game::Gate& gate : gates) {
        const Game::Gate* same = gate.kind == Game::GateKind::Start ? loaded.start()
            : gate.kind == Game::GateKind::Finish                  ? loaded.finish()
                                                                   : loaded.checkpoint(gate.number);
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(same->box.center, gate.box.center);
    }
    EXPECT_FALSE(editorData().history.hasUnsavedChanges());

    // The map replaced by other bytes: its course is not applied, and the map is edited freely.
    std::ofstream(mapFolder / "course.rmap", std::ios::binary | std::ios::app) << std::string(40, '\0');
    testing::internal::CaptureStdout();
    load("course.rmap");
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("COURSE NOT LOADED"), std::string::npos) << console;
    EXPECT_TRUE(editorScene().gates().course().empty());
    EXPECT_EQ(blocks(), 1u) << "the map itself loads";

    // Saved without gates over a map that had a course, the stale course file goes.
    EXPECT_TRUE(std::filesystem::exists(mapFolder / "course.course"));
    saveAs("course");
    clickButton("OVERWRITE");
    dismissPopup();
    EXPECT_FALSE(std::filesystem::exists(mapFolder / "course.course"));
}

TEST_F(EditorMapFilesTest, ACourseThatCannotBeWrittenIsReportedAndStaysUnsaved)
{
    addBlock({0, 0, 1});
    addGate(Game::GateKind::Start, {0, 5, 1});
    makeUnsavedChange();
    std::filesystem::create_directories(mapFolder / "blocked.course" / "inside");
    saveAs("blocked");
    EXPECT_TRUE(showing(EditorMapFiles::kCourseNotSavedText));
    EXPECT_FALSE(showing(Game::GameMap::kSavedText));
    EXPECT_TRUE(std::filesystem::exists(mapFolder / "blocked.rmap"));
    EXPECT_TRUE(editorData().history.hasUnsavedChanges()) << "the gates are not stored";
}

TEST_F(EditorMapFilesTest, ADoubleClickOnAMapLoadsItAfterTheLoadQuestion)
{
    addBlock({0, 0, 1});
    addBlock({5, 0, 1});
    saveAs("two");
    clickButton("OK");
    addBlock({9, 0, 1});
    makeUnsavedChange();
    clickOn(Names::load);
    const ECS::EntityId entry = browsed().entries[0];
    clickOn(entry);
    clickOn(entry);
    EXPECT_EQ(browser(), ECS::InvalidEntity);
    EXPECT_TRUE(showing(EditorMapFiles::kLoadQuestion));
    EXPECT_FALSE(showing(EditorMapFiles::kDiscardQuestion));
    clickButton("YES");
    EXPECT_EQ(blocks(), 2u);
}

TEST_F(EditorMapFilesTest, ADamagedFileKeepsTheMapAndSaysSo)
{
    addBlock({0, 0, 1});
    std::ofstream(mapFolder / "broken.rmap") << "\x04rmap\x00 not really";
    clickOn(Names::load);
    clickOn(browsed().entries[0]);
    clickButton("OPEN");
    EXPECT_TRUE(showing(EditorMapFiles::kReadFailedText));
    EXPECT_FALSE(showing(EditorMapFiles::kLoadedText));
    EXPECT_EQ(blocks(), 1u);
}

TEST_F(EditorMapFilesTest, OverwritingAsksAndCancelWritesNothing)
{
    addBlock({0, 0, 1});
    std::ofstream(mapFolder / "level.rmap") << "old content";
    saveAs("level");
    EXPECT_TRUE(showing(EditorMapFiles::kOverwriteQuestion));
    clickButton("CANCEL");
    EXPECT_EQ(fileBytes(mapFolder / "level.rmap"), "old content");
    EXPECT_FALSE(showing(Game::GameMap::kSavedText));

    saveAs("level");
    clickButton("OVERWRITE");
    EXPECT_EQ(Game::MapFile::readFile(mapFolder / "level.rmap").qubes.size(), 1u);
    EXPECT_TRUE(showing(Game::GameMap::kSavedText));
}

TEST_F(EditorMapFilesTest, RefusedNamesKeepTheBrowserOpen)
{
    std::filesystem::create_directory(mapFolder / "folder.rmap");
    for (const char* name : {"..", "folder.rmap", "folder"}) {
        saveAs(name);
        EXPECT_TRUE(showing(EditorMapFiles::kInvalidNameText)) << name;
        EXPECT_NE(browser(), ECS::InvalidEntity) << name;
        dismissPopup();
        clickButton("CANCEL");
        EXPECT_EQ(browser(), ECS::InvalidEntity);
    }
    EXPECT_TRUE(std::filesystem::is_directory(mapFolder / "folder.rmap"));

    const std::filesystem::path folder = mapFolder;
    EXPECT_EQ(EditorMapFiles::savePath(folder, "level"), folder / "level.rmap");
    EXPECT_EQ(EditorMapFiles::savePath(folder, "level.txt"), folder / "level.txt");
    for (const char* refused : {"", "..", "../level", "a/b"})
        EXPECT_FALSE(EditorMapFiles::savePath(folder, refused)) << refused;
    EXPECT_FALSE(EditorMapFiles::savePath(folder, std::string(251, 'a'))) << "too long with .rmap";
    EXPECT_TRUE(EditorMapFiles::savePath(folder, std::string(250, 'a')));
}

TEST_F(EditorMapFilesTest, AFailedSaveSaysSoAndAMissingMapFolderIsReported)
{
    addBlock({0, 0, 1});
    clickOn(Names::save);
    // The folder on show goes away and a file takes its name before SAVE is pressed.
    std::filesystem::remove_all(mapFolder);
    std::ofstream(mapFolder) << "in the way";
    typeFileName("level");
    clickButton("SAVE");
    EXPECT_TRUE(showing(Game::GameMap::kSaveFailedText));
    EXPECT_FALSE(showing(Game::GameMap::kSavedText));
    dismissPopup();

    // A Documents folder that cannot be made leaves no map folder.
    std::filesystem::remove_all(home.home() / "Documents");
    std::ofstream(home.home() / "Documents") << "in the way";
    for (const std::string* command : {&Names::save, &Names::load}) {
        clickOn(*command);
        EXPECT_TRUE(showing(EditorMapFiles::kNoMapFolderText)) << *command;
        EXPECT_EQ(browser(), ECS::InvalidEntity);
        dismissPopup();
    }
}

TEST_F(EditorMapFilesTest, EscapeEndsTypingFirstThenClosesTheBrowser)
{
    const auto tapEscape = [this] {
        setKey(SDL_SCANCODE_ESCAPE, true);
        runUpdates(1);
        setKey(SDL_SCANCODE_ESCAPE, false);
        runUpdates(2);
    };
    clickOn(Names::save);
    clickOn(browsed().nameField);
    source.text("draft");
    runUpdates(1);
    testing::internal::CaptureStdout();
    tapEscape();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "CANCEL\n");
    ASSERT_NE(browser(), ECS::InvalidEntity) << "the first Escape only ends the typing";
    EXPECT_EQ(world().getComponent<Component::UItextComponent>(browsed().nameField).text, "");

    tapEscape();
    EXPECT_EQ(browser(), ECS::InvalidEntity);
    EXPECT_FALSE(game().stateRecord().paused) << "the Escape that closes the browser opens no pause menu";
    EXPECT_TRUE(game().menu().hasElement(Names::save));
}

TEST_F(EditorMapFilesTest, UnsavedChangesShowInTheTitleAndAskBeforeTheMapGoes)
{
    addBlock({0, 0, 1});
    EXPECT_EQ(source.windowTitle, "Engine");
    EXPECT_TRUE(game().closeRequested()) << "nothing to lose: the window closes";

    makeUnsavedChange();
    EXPECT_EQ(source.windowTitle, "Engine *");

    // Closing the window asks, once however often it is closed; "NO" keeps the game running.
    EXPECT_FALSE(game().closeRequested());
    runUpdates(1);
    EXPECT_FALSE(game().closeRequested());
    runUpdates(1);
    EXPECT_EQ(timesShown(EditorMapFiles::kDiscardQuestion), 1u);
    clickButton("NO");
    EXPECT_FALSE(showing(EditorMapFiles::kDiscardQuestion));
    EXPECT_FALSE(engine->quit);

    // "Back to menu": "NO" brings the pause menu back, "YES" leaves.
    tap(SDL_SCANCODE_ESCAPE);
    clickButton("Back to menu");
    EXPECT_TRUE(showing(EditorMapFiles::kDiscardQuestion));
    clickButton("NO");
    EXPECT_TRUE(game().menu().hasElement(Game::MenuNames::resumeEditor));
    EXPECT_EQ(game().stateRecord().state, Game::GameStateRecord::editor);
    clickButton("Back to menu");
    clickButton("YES");
    EXPECT_EQ(game().stateRecord().state, Game::GameStateRecord::mainMenu);
    EXPECT_EQ(source.windowTitle, "Engine");
    EXPECT_TRUE(game().closeRequested());

    // In the editor again, a change and a close: "YES" ends the game.
    game().openEditor();
    runUpdates(2);
    addBlock({0, 0, 1});
    makeUnsavedChange();
    EXPECT_FALSE(game().closeRequested());
    runUpdates(1);
    clickButton("YES");
    EXPECT_TRUE(engine->quit);
}
