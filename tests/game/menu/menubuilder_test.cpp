#include "game/menu/menubuilder.h"

#include "game/menu/menu.h"
#include "game/ui/uielements.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIclickableComponent;
using Component::UItextComponent;
using Game::MenuBuilder;
using TestSupport::GLTest;
namespace MenuNames = Game::MenuNames;

namespace {

class MenuBuilderTest : public GLTest {
protected:
    MenuBuilderTest() : menu(ui.world), builder(ui.world, menu, ui.engine, UiTest::resources(), countingActions()) {}

    Game::MenuActions countingActions()
    {
        const auto count = [this](const char* name) {
            return [this, name] {
                calls.emplace_back(name);
                // Each action finds its screen already taken down.
                menuSizeAtCall.push_back(menu.elements().size());
            };
        };
        return {count("start"),        count("editor"), count("end"),    count("resume"),
                count("resumeEditor"), count("back"),   count("options"), count("playMap")};
    }

    const TransformComponent& transform(const std::string& name)
    {
        return ui.world.getComponent<TransformComponent>(menu.element(name));
    }
    // Clicks the middle of the named element.
    void clickElement(const std::string& name)
    {
        const TransformComponent& t = transform(name);
        ui.click(int(t.position.x + t.scale.x / 2), int(t.position.y + t.scale.y / 2));
    }
    int count(const std::string& call) const { return int(std::count(calls.begin(), calls.end(), call)); }

    UiTest::UiWorld ui;
    Game::Menu menu;
    MenuBuilder builder;
    std::vector<std::string> calls;
    std::vector<size_t> menuSizeAtCall;
};

} // namespace

TEST_F(MenuBuilderTest, EveryButtonTakesItsScreenDownThenCallsItsAction)
{
    const std::vector<std::pair<void (MenuBuilder::*)(), const std::string*>> presses = {
        {&MenuBuilder::buildMainMenu, &MenuNames::singleplayer}, {&MenuBuilder::buildMainMenu, &MenuNames::mapEditor},
        {&MenuBuilder::buildMainMenu, &MenuNames::options},      {&MenuBuilder::buildPauseMenu, &MenuNames::resumeGame},
        {&MenuBuilder::buildEditorPauseMenu, &MenuNames::backToMenu}};
    for (const auto& [build, button] : presses) {
        (builder.*build)();
        ui.step();
        clickElement(*button);
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"start", "editor", "options", "resume", "back"}));
    EXPECT_EQ(menuSizeAtCall, std::vector<size_t>(5, 0));
    EXPECT_EQ(ui.world.componentList<UItextComponent>().size(), 0u);
    // "End Game" leaves the menu up while the game closes.
    builder.buildMainMenu();
    ui.step();
    clickElement(MenuNames::endGame);
    EXPECT_EQ(calls.back(), "end");
    // "Play a map" opens the chooser over the main menu, which stays up behind it.
    clickElement(MenuNames::playMap);
    EXPECT_EQ(calls.back(), "playMap");
    EXPECT_GT(menuSizeAtCall.back(), 0u);
}

TEST_F(MenuBuilderTest, BuildersAreSafeToCallTwiceAndClosingToAPartScreen)
{
    builder.buildMainMenu();
    builder.buildMainMenu();
    ui.step();
    builder.buildMainMenu();
    ui.step();
    EXPECT_EQ(menu.elements().size(), 6u) << "five buttons and the backdrop, once";
    EXPECT_EQ(ui.world.componentList<UItextComponent>().size(), 5u);

    menu.clear();
    builder.buildPauseMenu();
    builder.buildPauseMenu();
    ui.step();
    EXPECT_EQ(menu.elements().size(), 3u);
    EXPECT_EQ(ui.world.componentList<UItextComponent>().size(), 2u);

    // Closing removes what is there and does not mind what is not.
    menu.removeElement(MenuNames::backdrop);
    builder.closePauseMenu();
    ui.step();
    EXPECT_TRUE(menu.elements().empty());
    EXPECT_EQ(ui.world.componentList<UIBackgroundComponent>().size(), 0u);
}

TEST_F(MenuBuilderTest, AnOkPopupBlocksWhatLiesUnderIt)
{
    builder.buildMainMenu();
    // A pop-up asked for below layer 2 still lies over the menu.
    for (const int32_t layer : {0, 6}) {
        const ECS::EntityId box = builder.createOKpopup(layer, "Map Saved\nsecond line");
        ui.step();
        EXPECT_EQ(ui.world.getComponent<UIBackgroundComponent>(box).layer, std::max(layer, 2) + 1);
        EXPECT_EQ(ui.world.componentList<Component::UIblockerComponent>().size(), 1u);

        // The menu's buttons under the dimmed window do nothing.
        clickElement(MenuNames::singleplayer);
        clickElement(MenuNames::endGame);
        EXPECT_TRUE(calls.empty()) << "layer " << layer;
        EXPECT_TRUE(ui.state.mouseOverUI);

        // "OK" takes the box, the button and the blocker away.
        ui.click(640, 360 - 150 + 24);
        EXPECT_FALSE(ui.world.isAlive(box));
        EXPECT_EQ(ui.world.componentList<Component::UIblockerComponent>().size(), 0u);
        EXPECT_EQ(ui.world.componentList<UIBackgroundComponent>().size(), 6u);
    }
    clickElement(MenuNames::singleplayer);
    EXPECT_EQ(calls, std::vector<std::string>{"start"});
}

TEST_F(MenuBuilderTest, ConfirmDialogClosesBeforeItsActionRuns)
{
    int yes = 0;
    bool dialogGoneAtAction = false;
    const auto dialog = [&] {
        return builder.createConfirmDialog("File already exists.\nDo you want to overwrite?", "CANCEL", "OVERWRITE", {},
                                           [&] {
                                               ++yes;
                                               dialogGoneAtAction =
                                                   ui.world.componentList<Component::UIblockerComponent>().size() == 1 &&
                                                   ui.world.isDestroyPending(ui.world.componentList<Component::UIblockerComponent>().ownerOf(0));
                                           });
    };
    const ECS::EntityId box = dialog();
    ui.step();
    EXPECT_EQ(ui.world.componentList<UIclickableComponent>().size(), 2u);
    ui.click(640 - 255 + 100, 360 - 150 + 24); // left: closes only
    EXPECT_FALSE(ui.world.isAlive(box));
    EXPECT_EQ(ui.world.componentList<UIBackgroundComponent>().size(), 0u);
    EXPECT_EQ(yes, 0);

    dialog();
    ui.step();
    ui.click(640 + 45 + 100, 360 - 150 + 24); // right
    EXPECT_EQ(yes, 1);
    EXPECT_TRUE(dialogGoneAtAction);
    EXPECT_EQ(ui.world.componentList<UIBackgroundComponent>().size(), 0u);
}

TEST_F(MenuBuilderTest, PopupsAreMadeWholeOrNotAtAll)
{
    const auto made = [this](const std::function<ECS::EntityId()>& create) {
        const uint32_t before = ui.world.liveEntityCount();
        const ECS::EntityId box = create();
        return std::make_pair(box, ui.world.liveEntityCount() - before);
    };
    const auto popup = [this] { return builder.createOKpopup(2, "ERROR:\nToo many blocks."); };
    const auto question = [this] { return builder.createConfirmDialog("Discard unsaved changes?", "NO", "YES", {}, {}); };
    EXPECT_EQ(made(popup).second, MenuBuilder::kOKpopupElements);
    EXPECT_EQ(made(question).second, MenuBuilder::kConfirmDialogElements);

    // Fill the ids up to one short of a question.
    while (UI::freeEntityIds(ui.world) > MenuBuilder::kConfirmDialogElements - 1)
        ui.world.createEntity();
    testing::internal::CaptureStdout();
    const auto refused = made(question);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("not shown"), std::string::npos);
    EXPECT_EQ(refused, std::make_pair(ECS::InvalidEntity, 0u)) << "no blocker without its buttons";
    EXPECT_NE(made(popup).first, ECS::InvalidEntity) << "a pop-up still fits";
    testing::internal::CaptureStdout();
    EXPECT_EQ(made(popup), std::make_pair(ECS::InvalidEntity, 0u));
    testing::internal::GetCapturedStdout();
}
