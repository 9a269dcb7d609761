// The editor's top bar: its buttons, the "+ Add" drop-down, the tool buttons and the toggles.
#include "game/editor/editortopbar.h"

#include "game/editor/editordatacomponent.h"
#include "game/menu/menubuilder.h"
#include "tests/game/editor/editorgame.h"

#include <gtest/gtest.h>

namespace Names = Game::TopBarNames;
using Component::UIBackgroundComponent;
using Component::UItextComponent;

namespace {

class EditorTopBarTest : public EditorTest::EditorGame {
protected:
    std::string textOf(const std::string& name)
    {
        return world().getComponent<UItextComponent>(game().menu().element(name)).text;
    }
    glm::vec4 colorOf(const std::string& name)
    {
        return world().getComponent<UIBackgroundComponent>(game().menu().element(name)).color;
    }
};

const glm::vec4 kTinted{0.0f, 1.0f, 0.0f, 0.4f};
const glm::vec4 kClear{0.0f};

} // namespace

TEST_F(EditorTopBarTest, ToolButtonsAndTogglesDriveTheEditor)
{
    EXPECT_EQ(colorOf(Names::translate), kTinted);
    clickOn(Names::scale);
    EXPECT_EQ(editorData().tool, Game::EditorTool::scale);
    EXPECT_EQ(colorOf(Names::scale), kTinted);
    EXPECT_EQ(colorOf(Names::translate), kClear);
    tap(SDL_SCANCODE_TAB);
    EXPECT_EQ(editorData().tool, Game::EditorTool::translate) << "Tab moves on, and the tint follows";
    EXPECT_EQ(colorOf(Names::translate), kTinted);

    EXPECT_EQ(textOf(Names::pivot), "GLOBAL");
    EXPECT_EQ(textOf(Names::orientation), "WORLD");
    clickOn(Names::pivot);
    EXPECT_EQ(textOf(Names::pivot), "LOCAL");
    EXPECT_EQ(editorData().pivot, Game::EditorPivot::local);
    clickOn(Names::orientation);
    EXPECT_EQ(textOf(Names::orientation), "NORMAL");
    EXPECT_EQ(editorData().orientation, Game::EditorOrientation::normal);
}

TEST_F(EditorTopBarTest, AddDropDownOpensOnceAndBlockStartsPlacing)
{
    clickOn(Names::add);
    clickOn(Names::add);
    EXPECT_EQ(timesShown("Block"), 1u) << "two presses leave one drop-down";

    clickOn(Names::addBlock);
    EXPECT_FALSE(game().menu().hasElement(Names::addBlock));
    EXPECT_EQ(editorData().mode, Game::EditorMode::placing);
}

TEST_F(EditorTopBarTest, AddOffersTheGatesAndTheBarShowsTheCourse)
{
    EXPECT_EQ(textOf(Names::course), "Course: none");
    clickOn(Names::add);
    for (const char* entry : {"Block", "Start", "Checkpoint", "Finish"})
        EXPECT_EQ(timesShown(entry), 1u) << entry;
    clickOn(Names::addCheckpoint);
    EXPECT_FALSE(game().menu().hasElement(Names::addFinish)) << "a choice closes the list";
    EXPECT_EQ(editorData().mode, Game::EditorMode::placing);
    ASSERT_TRUE(editorData().placingGate.has_value());
    EXPECT_EQ(*editorData().placingGate, Game::GateKind::Checkpoint);
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(editorData().mode, Game::EditorMode::idle);

    addGate(Game::GateKind::Start, {0, 5, 1});
    addGate(Game::GateKind::Checkpoint, {0, 10, 1});
    EXPECT_EQ(textOf(Names::course), "Course: start, 1 checkpoint, no finish");
    addGate(Game::GateKind::Finish, {0, 15, 1});
    EXPECT_EQ(textOf(Names::course), "Course: start, 1 checkpoint, finish");
    tap(SDL_SCANCODE_ESCAPE);
    clickOn(Game::MenuNames::resumeEditor);
    EXPECT_EQ(textOf(Names::course), "Course: start, 1 checkpoint, finish") << "a rebuilt bar shows it too";
}

TEST_F(EditorTopBarTest, PauseMenuTakesTheBarAwayAndResumeBringsItBack)
{
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_TRUE(game().stateRecord().paused);
    EXPECT_FALSE(game().menu().hasElement(Names::save));
    EXPECT_TRUE(game().menu().hasElement(Game::MenuNames::resumeEditor));
    clickOn(Game::MenuNames::resumeEditor);
    EXPECT_TRUE(game().menu().hasElement(Names::save));
}

TEST_F(EditorTopBarTest, SnappingToggleAndTheShortcutHelp)
{
    EXPECT_EQ(textOf(Names::snap), "OFF");
    tap(SDL_SCANCODE_G);
    EXPECT_TRUE(editorData().snapping);
    EXPECT_EQ(textOf(Names::snap), "ON");
    clickOn(Names::snap);
    EXPECT_FALSE(editorData().snapping);
    EXPECT_EQ(textOf(Names::snap), "OFF");

    // F1 and "?" show and hide the help; Escape hides it without pausing.
    tap(SDL_SCANCODE_F1);
    ASSERT_TRUE(game().menu().hasElement(Game::HelpNames::panel));
    clickOn(Names::help);
    EXPECT_FALSE(game().menu().hasElement(Game::HelpNames::panel));
    clickOn(Names::help);
    EXPECT_TRUE(game().menu().hasElement(Game::HelpNames::panel));
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(game().menu().hasElement(Game::HelpNames::panel));
    EXPECT_FALSE(game().stateRecord().paused);

    // A play-test takes the bar and open help away; both come back with the editor.
    tap(SDL_SCANCODE_F1);
    tap(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(game().menu().hasElement(Names::save));
    EXPECT_FALSE(game().menu().hasElement(Game::HelpNames::panel));
    tap(SDL_SCANCODE_RETURN);
    EXPECT_TRUE(game().menu().hasElement(Names::save));
    EXPECT_TRUE(game().menu().hasElement(Game::HelpNames::panel));
}
