// The editor with a map at the entity limit: blocks never take the ids its UI needs, every UI
// piece is made whole, and every way out (OK, Escape, closing the window) still works.
#include "game/editor/uiidreserve.h"

#include "game/editor/editorplayer.h"
#include "game/editor/gameeditor.h"
#include "game/gamemap/mapfile.h"
#include "tests/game/editor/editorgame.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace Names = Game::TopBarNames;
using Game::EditorMapFiles;
using Game::EditorPlayer;

namespace {

class EditorIdLimitTest : public EditorTest::EditorGame {
protected:
    Game::EditorScene& scene() { return dynamic_cast<Game::GameEditor&>(*game().editor()).player().scene(); }
    uint32_t liveEntities() { return world().liveEntityCount(); }
    // Blocks (as a loaded map brings them) until the editor has `slots` left for its own blocks.
    void fillMapLeaving(uint32_t slots)
    {
        while (scene().freeEntitySlots() > slots)
            game().map().addQube(world(), Component::TransformComponent{});
        game().map().rebuildPending = true;
        runUpdates(1);
        ASSERT_EQ(scene().freeEntitySlots(), slots);
    }
    // The pointer over the 3-D view, where the editor's keys act, beside the help.
    void pointAtView()
    {
        source.pointerX = 5;
        source.pointerY = source.windowHeight / 2;
        runUpdates(1);
    }
    bool modal() { return world().componentList<Component::UIblockerComponent>().size() > 0; }
};

} // namespace

TEST_F(EditorIdLimitTest, EachUiPieceTakesTheIdsItsBuilderCounts)
{
    const auto grows = [this](const std::function<void()>& action) {
        const uint32_t before = liveEntities();
        action();
        return liveEntities() - before;
    };
    EXPECT_EQ(grows([this] { tap(SDL_SCANCODE_F1); }), Game::EditorHelp::kElements);
    EXPECT_EQ(Game::EditorHelp::sections().size(), Game::EditorHelp::kSectionCount);
    EXPECT_EQ(grows([this] { clickOn(Names::add); }), Game::EditorTopBar::kAddDropdownElements);
    const uint32_t withBar = liveEntities();
    tap(SDL_SCANCODE_RETURN); // a play-test takes the bar and the help away
    EXPECT_EQ(withBar - liveEntities(),
              Game::EditorTopBar::kElements + Game::EditorHelp::kElements + Game::EditorTopBar::kAddDropdownElements);
    tap(SDL_SCANCODE_RETURN);
    EXPECT_LE(grows([this] { clickOn(Names::save); }), UI::FileBrowser::kMaxElements);
    EXPECT_GE(Game::UiIdReserve::kIds, Game::UiIdReserve::kStanding + Game::UiIdReserve::kRemade);
}

TEST_F(EditorIdLimitTest, AtTheLimitATooManyBlocksPopupIsWholeAndEveryWayOutWorks)
{
    addBlock({0, 0, 1});
    const ECS::EntityId block = *game().map().qubeIDs.begin();
    fillMapLeaving(1);
    pointAtView();
    scene().queueSelect(block);
    runUpdates(1);
    ASSERT_TRUE(editorData().selections.hasSelection(block)) << "its copy takes the last slot";
    tap(SDL_SCANCODE_DELETE);
    ASSERT_EQ(game().map().qubeIDs.count(block), 0u);
    tap(SDL_SCANCODE_F1);
    ASSERT_TRUE(game().menu().hasElement(Game::HelpNames::panel));

    // Undo needs a block and its copy; the help has taken the slots the deletion gave back.
    setKey(SDL_SCANCODE_LCTRL, true);
    tap(SDL_SCANCODE_Z);
    setKey(SDL_SCANCODE_LCTRL, false);
    EXPECT_EQ(timesShown(EditorPlayer::kTooManyBlocksText), 1u);
    ASSERT_NE(buttonShowing("OK"), ECS::InvalidEntity) << "the pop-up has its button";
    clickButton("OK");
    EXPECT_FALSE(showing(EditorPlayer::kTooManyBlocksText));
    EXPECT_FALSE(modal());

    // Placing is refused the same way, and OK closes again.
    pointAtView();
    tap(SDL_SCANCODE_INSERT);
    EXPECT_TRUE(showing(EditorPlayer::kTooManyBlocksText));
    clickButton("OK");
    EXPECT_FALSE(modal());

    pointAtView();
    tap(SDL_SCANCODE_F1);
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_TRUE(game().stateRecord().paused) << "Escape opens the pause menu";
    clickButton("Resume");
    EXPECT_FALSE(game().stateRecord().paused);
    EXPECT_TRUE(game().menu().hasElement(Names::save)) << "the bar comes back whole";

    makeUnsavedChange();
    EXPECT_FALSE(game().closeRequested());
    runUpdates(1);
    EXPECT_TRUE(showing(EditorMapFiles::kDiscardQuestion)) << "the close question fits";
    clickButton("YES");
    EXPECT_TRUE(engine->quit);
}

TEST_F(EditorIdLimitTest, ANearlyFullMapSavesAndLoadsButNotOneBeyondTheLimit)
{
    fillMapLeaving(0);
    const size_t full = blocks();
    tap(SDL_SCANCODE_F1); // the help stays open through it all
    saveAs("full");
    EXPECT_TRUE(showing(Game::GameMap::kSavedText));
    EXPECT_EQ(Game::MapFile::readFile(mapFolder / "full.rmap").qubes.size(), full);
    clickButton("OK");

    // The same map loads again in place of itself, with its question and pop-ups whole.
    makeUnsavedChange();
    clickOn(Names::load);
    ASSERT_NE(browser(), ECS::InvalidEntity);
    clickOn(browsed().entries[0]);
    clickButton("OPEN");
    EXPECT_TRUE(showing(EditorMapFiles::kLoadQuestion));
    clickButton("YES");
    runUpdates(2);
    EXPECT_TRUE(showing(EditorMapFiles::kLoadedText));
    EXPECT_EQ(blocks(), full);
    clickButton("OK");

    // One block more than the editor's blocks may take is refused, and the map stays.
    std::vector<Game::QubeRecord> tooMany(full + 1);
    for (Game::QubeRecord& qube : tooMany)
        qube.scale = glm::vec3(1.0f);
    ASSERT_TRUE(Game::MapFile::writeFile(mapFolder / "toomany.rmap", tooMany).ok());
    clickOn(Names::load);
    clickOn(browsed().entries[1]);
    clickButton("OPEN");
    EXPECT_TRUE(showing(EditorPlayer::kTooManyBlocksText));
    EXPECT_FALSE(showing(EditorMapFiles::kLoadedText));
    runUpdates(2);
    EXPECT_EQ(blocks(), full);
}
