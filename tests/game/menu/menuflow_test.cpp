// The menus driving the real game controller through the engine loop, as a player clicks them.
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menu.h"
#include "game/menu/menumessages.h"
#include "game/menu/menubuilder.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"

#include <gtest/gtest.h>

using Game::GameStateRecord;
namespace Names = Game::MenuNames;

namespace {

class MenuFlowTest : public TestSupport::GameHarness {
protected:
    // Moves to the middle of the named element, presses and releases, one update each.
    void clickElement(const std::string& name)
    {
        ASSERT_TRUE(game().menu().hasElement(name)) << name;
        const auto& t = game().world().getComponent<Component::TransformComponent>(game().menu().element(name));
        source.pointerX = int(t.position.x + t.scale.x / 2);
        source.pointerY = source.windowHeight - int(t.position.y + t.scale.y / 2);
        runUpdates(1);
        source.buttons = SDL_BUTTON_LMASK;
        runUpdates(1);
        source.buttons = 0;
        runUpdates(1);
    }
    void tapEscape()
    {
        setKey(SDL_SCANCODE_ESCAPE, true);
        runUpdates(1);
        setKey(SDL_SCANCODE_ESCAPE, false);
        runUpdates(1);
    }
    uint32_t screen() { return game().stateRecord().state; }
};

} // namespace

TEST_F(MenuFlowTest, ThePlayerGoesThroughTheGameWithTheMouse)
{
    runUpdates(1);
    EXPECT_EQ(game().menu().elements().size(), 5u);

    clickElement(Names::singleplayer);
    EXPECT_EQ(screen(), GameStateRecord::singlePlayer);
    EXPECT_TRUE(game().menu().elements().empty());

    tapEscape();
    EXPECT_TRUE(game().stateRecord().paused);
    EXPECT_TRUE(game().menu().hasElement(Names::resumeGame));
    clickElement(Names::resumeGame);
    EXPECT_FALSE(game().stateRecord().paused);
    EXPECT_TRUE(game().menu().elements().empty());

    // A second Escape closes the pause menu like "Resume".
    tapEscape();
    tapEscape();
    EXPECT_FALSE(game().stateRecord().paused);
    EXPECT_TRUE(game().menu().elements().empty());

    tapEscape();
    clickElement(Names::backToMenu);
    EXPECT_EQ(screen(), GameStateRecord::mainMenu);
    EXPECT_TRUE(game().menu().hasElement(Names::singleplayer));
    EXPECT_FALSE(game().menu().hasElement(Names::resumeGame));

    clickElement(Names::options);
    EXPECT_EQ(screen(), GameStateRecord::mainMenu);
    EXPECT_EQ(game().menu().elements().size(), 5u);

    clickElement(Names::mapEditor);
    EXPECT_EQ(screen(), GameStateRecord::editor);
    EXPECT_TRUE(game().menu().elements().empty());

    // Escape opens the editor's pause menu; "Resume" returns to editing, "Back to menu" leaves.
    tapEscape();
    EXPECT_TRUE(game().stateRecord().paused);
    clickElement(Names::resumeEditor);
    EXPECT_FALSE(game().stateRecord().paused);
    EXPECT_EQ(screen(), GameStateRecord::editor);
    EXPECT_FALSE(game().menu().hasElement(Names::backdrop));
    tapEscape();
    clickElement(Names::backToMenu);
    EXPECT_EQ(screen(), GameStateRecord::mainMenu);
    runUpdates(1);
    EXPECT_EQ(game().map().qubeIDs.size(), 150u) << "a fresh random map behind the menu";

    EXPECT_FALSE(engine->quit);
    clickElement(Names::endGame);
    EXPECT_TRUE(engine->quit);
}

TEST_F(MenuFlowTest, PopupMessagesCoverTheMenu)
{
    game().world().sendMessage(Message::CreateOKpopupMessage{"Map Saved", 2});
    runUpdates(2);
    clickElement(Names::singleplayer);
    EXPECT_EQ(screen(), GameStateRecord::mainMenu);
}
