#include "game/timetrial/timetrialplay.h"

#include "game/filebrowser/filebrowser.h"

#include "game/course/checksum.h"
#include "game/course/coursefile.h"
#include "game/course/runrecords.h"
#include "game/filebrowser/uifilebrowsercomponent.h"
#include "game/gamemap/mapfile.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/controlswitches.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

using Game::GameStateRecord;
using Game::TimeTrialHud;

namespace {

// A map of one block out of the way and, when asked, a course over the floor beside it: the start
// around the origin facing +x, the finish 6 units ahead.
class TimeTrialPlayTest : public TestSupport::GameHarness {
protected:
    std::filesystem::path writeMap(bool withCourse, uint64_t checksumOffset = 0)
    {
        const std::filesystem::path path = dir.path() / "course.rmap";
        EXPECT_TRUE(Game::MapFile::writeFile(path, {Game::QubeRecord{{0.0f, -20.0f, 0.5f}}}).ok());
        if (!withCourse)
            return path;
        Game::CourseDocument document;
        document.mapName = "course";
        document.mapChecksum = Game::Checksum::fnv1a64(TestSupport::fileBytes(path)) + checksumOffset;
        const glm::quat level(1.0f, 0.0f, 0.0f, 0.0f);
        document.course.add({Game::GateKind::Start, 0, {{0.0f, 0.0f, 1.0f}, {1.0f, 2.0f, 2.0f}, level}});
        document.course.add({Game::GateKind::Finish, 0, {{6.0f, 0.0f, 1.0f}, {0.5f, 2.0f, 2.0f}, level}});
        EXPECT_TRUE(Game::CourseFile::writeFile(Game::CourseFile::pathFor(path), document));
        return path;
    }

    void tapKey(SDL_Scancode key)
    {
        setKey(key, true);
        runUpdates(1);
        setKey(key, false);
        runUpdates(1);
    }

    // Holds W until the console says the run finished (at most ten seconds of steps); what the
    // console said.
    std::string runForward()
    {
        testing::internal::CaptureStdout();
        setKey(SDL_SCANCODE_W, true);
        for (int i = 0; i < 100 && game().timeTrialHud().text(TimeTrialHud::FinishTime).empty(); ++i)
            runUpdates(10);
        setKey(SDL_SCANCODE_W, false);
        return testing::internal::GetCapturedStdout();
    }

    static std::string finishLine(const std::string& console)
    {
        const size_t at = console.find("RUN FINISHED ");
        return at == std::string::npos ? std::string() : console.substr(at, console.find('\n', at) - at);
    }

    TestSupport::TempDir dir;
};

} // namespace

TEST_F(TimeTrialPlayTest, ACourseRunFinishesWithTheSameTimeEveryTimeAndRRestartsAtTheStart)
{
    const std::filesystem::path map = writeMap(true);
    EXPECT_EQ(Game::TimeTrialPlay::courseLabel(map).name, "course") << "shown by the course's name";
    EXPECT_EQ(Game::TimeTrialPlay::courseLabel(map).note, "new") << "a course never finished";
    ASSERT_TRUE(game().timeTrialPlay().play(map));
    EXPECT_EQ(game().stateRecord().state, GameStateRecord::singlePlayer);
    ASSERT_TRUE(game().timeTrialPlay().active());
    runUpdates(1);
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::Time), "0:00.00") << "the timer waits at the start";
    // The player stands in the start gate, whose translucent green lies over the view.
    const glm::ivec2 size = game().targetSize();
    const Pixel seen = readPixels(0, size.x / 2, size.y / 4, 1, 1).front();
    EXPECT_GT(int(seen[1]), int(seen[0]) + 20) << "green over the floor below the horizon";

    const std::string first = finishLine(runForward());
    ASSERT_FALSE(first.empty()) << "the run finishes";
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::NewBest), "New best!");
    const Game::FinishPanel& panel = game().timeTrialPlay().finishPanel();
    EXPECT_TRUE(panel.shown());
    EXPECT_NE(panel.button(Game::FinishPanel::Retry), ECS::InvalidEntity);
    EXPECT_EQ(panel.button(Game::FinishPanel::Next), ECS::InvalidEntity) << "a map of the user's has no next course";
    EXPECT_TRUE(game().stateRecord().showCursor) << "the pointer is free for the panel";
    EXPECT_FALSE(Game::hasPlayerControl(game().world(), game().context().playerEntity));

    tapKey(SDL_SCANCODE_R);
    EXPECT_FALSE(panel.shown()) << "R retries: the panel goes";
    EXPECT_FALSE(game().stateRecord().showCursor);
    EXPECT_TRUE(Game::hasPlayerControl(game().world(), game().context().playerEntity));
    const auto& body = game().world().getComponent<Component::CharacterControllerComponent>(game().context().playerEntity);
    EXPECT_LT(glm::length(glm::vec2(body.position())), 1.0f) << "back inside the start gate";
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::FinishTime), "") << "the finish texts go";
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::Time), "0:00.00");

    EXPECT_EQ(Game::TimeTrialPlay::courseLabel(dir.path() / "course.rmap").note, "best " + first.substr(13))
        << "the chooser shows the record";

    const std::string second = finishLine(runForward());
    EXPECT_EQ(second, first) << "counted in game steps, the same run takes the same time";
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::NewBest), "") << "as fast is no new best";
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::FinishBest), "Best " + first.substr(13));

    tapKey(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(game().stateRecord().state, GameStateRecord::mainMenu) << "Escape on the finish panel goes back to the menu";
    EXPECT_FALSE(panel.shown());

    // The first run is the course's record, kept in the user's records folder.
    size_t records = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Game::RunRecords::folder()))
        records += entry.path().extension() == ".record" ? 1 : 0;
    EXPECT_EQ(records, 1u);
}

TEST_F(TimeTrialPlayTest, PracticeShowsOnTheTimerAndACourseForOtherBytesIsPlayedFreely)
{
    ASSERT_TRUE(game().timeTrialPlay().play(writeMap(true)));
    runUpdates(2); // the run starts once the map's blocks are in the world
    tapKey(SDL_SCANCODE_P);
    EXPECT_EQ(game().timeTrialHud().text(TimeTrialHud::Time), "PRACTICE");
    tapKey(SDL_SCANCODE_ESCAPE);
    game().backToMainMenu();
    EXPECT_FALSE(game().timeTrialPlay().playing()) << "leaving ends the trial";

    testing::internal::CaptureStdout();
    const std::filesystem::path otherBytes = writeMap(true, 1);
    const UI::FileLabel other = Game::TimeTrialPlay::courseLabel(otherBytes);
    EXPECT_EQ(other.name + other.note, "") << "a course of other bytes names no map and notes nothing";
    ASSERT_TRUE(game().timeTrialPlay().play(otherBytes));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("COURSE NOT LOADED: "), std::string::npos) << console;
    EXPECT_EQ(game().stateRecord().state, GameStateRecord::singlePlayer) << "the map is played freely";
    EXPECT_FALSE(game().timeTrialPlay().active());
}

TEST_F(TimeTrialPlayTest, AMapThatCannotBeReadSaysSoAndStaysInTheMenu)
{
    const std::filesystem::path broken = dir.write("broken.rmap", "not a map");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(game().timeTrialPlay().play(broken));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("MAP NOT LOADED: "), std::string::npos) << console;
    EXPECT_EQ(game().stateRecord().state, GameStateRecord::mainMenu);
}

TEST_F(TimeTrialPlayTest, AShippedCourseLeadsToTheNextOneAndTheChooserOpensOnTheShippedCourses)
{
    Game::TimeTrialPlay& play = game().timeTrialPlay();
    const std::filesystem::path courses = "data/courses";
    ASSERT_TRUE(play.play(courses / "1-first-steps.rmap"));
    EXPECT_TRUE(play.active()) << "a shipped course is a time trial";
    EXPECT_EQ(play.nextCourse(), courses / "2-swing.rmap");
    play.playNext();
    EXPECT_TRUE(play.active());
    EXPECT_EQ(play.nextCourse(), courses / "3-reel.rmap") << "Next played the second course";
    ASSERT_TRUE(play.play(courses / "3-reel.rmap"));
    EXPECT_EQ(play.nextCourse(), std::nullopt) << "the last course has no next";
    ASSERT_TRUE(play.play(writeMap(true)));
    EXPECT_EQ(play.nextCourse(), std::nullopt) << "nor has a map of the user's";

    game().backToMainMenu();
    runUpdates(2);
    const auto shownFolder = [this] {
        const auto& browsers = game().world().componentList<Component::UIfileBrowserComponent>().records();
        return browsers.empty() ? std::filesystem::path() : browsers.front().folder;
    };
    play.openChooser();
    runUpdates(10);
    ASSERT_NE(play.tabButton(Game::TimeTrialPlay::Tab::Courses), ECS::InvalidEntity);
    EXPECT_EQ(shownFolder(), courses) << "a new player finds the shipped courses first";
    play.showTab(Game::TimeTrialPlay::Tab::MyMaps);
    runUpdates(2);
    EXPECT_EQ(shownFolder(), game().userMapFolder());
    runUpdates(2);
    EXPECT_EQ(shownFolder(), game().userMapFolder()) << "still";

    // A smaller window: the chooser is built again to fit it, its tabs right above it, on the tab
    // it showed.
    for (const glm::ivec2& window : {glm::ivec2(800, 600), glm::ivec2(1920, 1080)}) {
        source.windowWidth = window.x;
        source.windowHeight = window.y;
        SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), window.x, window.y);
        runUpdates(2);
        EXPECT_EQ(shownFolder(), game().userMapFolder());
        const auto& browsers = game().world().componentList<Component::UIfileBrowserComponent>();
        ASSERT_EQ(browsers.size(), 1u) << "one chooser";
        const auto& box = game().world().getComponent<Component::TransformComponent>(browsers.ownerOf(0));
        const auto& tab = game().world().getComponent<Component::TransformComponent>(
            play.tabButton(Game::TimeTrialPlay::Tab::Courses));
        EXPECT_GE(box.position.y, 0.0f) << window.x;
        EXPECT_LE(box.position.y + box.scale.y, tab.position.y) << "the tabs above the chooser";
        EXPECT_LE(tab.position.y - (box.position.y + box.scale.y), 16.0f) << "right above it";
        EXPECT_LE(tab.position.y + tab.scale.y, float(window.y)) << "inside the window";
        EXPECT_NEAR(box.position.x + box.scale.x / 2.0f, window.x / 2.0f, 1.0f) << "centred";
    }

    // Opened again (on the tab used last), a tab taken at once, before the new chooser's first
    // listing has arrived, still counts.
    const auto& browsers = game().world().componentList<Component::UIfileBrowserComponent>();
    ASSERT_EQ(browsers.size(), 1u);
    UI::FileBrowser::cancel(game().world(), browsers.ownerOf(0));
    runUpdates(2);
    play.openChooser();
    runUpdates(1);
    play.showTab(Game::TimeTrialPlay::Tab::Courses);
    runUpdates(3);
    EXPECT_EQ(shownFolder(), courses) << "the tab taken at once";
}
