#include "game/menu/controlsscreen.h"

#include "game/menu/menu.h"
#include "game/menu/optionsscreen.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <string>

using Component::TransformComponent;
using Component::UItextComponent;
using Engine::Action;
using Engine::InputBinding;
namespace ControlsNames = Game::ControlsNames;

namespace {

class ControlsScreenTest : public TestSupport::GLTest {
protected:
    ControlsScreenTest()
        : menu(ui.world), screen(ui.world, menu, ui.engine, UiTest::resources(), settings,
                                 {[this] { ++applied; }, [this] { ++backs; }})
    {
    }

    // One game update: the screen takes its key before the clicks are handled, as in the game.
    void step()
    {
        ui.step();
        screen.tick();
    }
    void clickElement(const std::string& name)
    {
        ASSERT_TRUE(menu.hasElement(name)) << name;
        const TransformComponent& t = ui.world.getComponent<TransformComponent>(menu.element(name));
        ui.pointAt(int(t.position.x + t.scale.x / 2), int(t.position.y + t.scale.y / 2));
        step();
        ui.holdLeftButton(true);
        step();
        ui.holdLeftButton(false);
        step();
    }
    void tap(SDL_Scancode key)
    {
        ui.holdKey(key, true);
        step();
        ui.holdKey(key, false);
        step();
    }
    std::string shown(const std::string& name) { return ui.world.getComponent<UItextComponent>(menu.element(name)).text; }
    InputBinding bound(Action action) const { return settings.bindings[indexOf(action)]; }

    UiTest::UiWorld ui;
    Game::Menu menu;
    Engine::Settings settings;
    int applied = 0;
    int backs = 0;
    Game::ControlsScreen screen;
};

} // namespace

TEST_F(ControlsScreenTest, ListsEveryActionAndBindsTheNextKeyAfterAClick)
{
    screen.build();
    step();
    ASSERT_TRUE(screen.shown());
    for (const Engine::ActionInfo& info : Engine::kActionTable) {
        EXPECT_EQ(shown(ControlsNames::label(info.action)), info.label);
        EXPECT_EQ(shown(ControlsNames::binding(info.action)), Engine::bindingDisplayName(info.defaultBinding));
    }
    EXPECT_EQ(shown(ControlsNames::binding(Action::rope)), "Mouse Left");

    clickElement(ControlsNames::binding(Action::jump));
    EXPECT_TRUE(screen.awaiting());
    EXPECT_TRUE(menu.hasElement(ControlsNames::prompt));
    tap(SDL_SCANCODE_J);
    EXPECT_FALSE(screen.awaiting());
    EXPECT_FALSE(menu.hasElement(ControlsNames::prompt));
    EXPECT_EQ(bound(Action::jump), InputBinding::key(SDL_SCANCODE_J));
    EXPECT_EQ(shown(ControlsNames::binding(Action::jump)), "J");
    EXPECT_EQ(applied, 1);

    // Escape cancels the wait and binds nothing.
    clickElement(ControlsNames::binding(Action::jump));
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(screen.awaiting());
    EXPECT_FALSE(menu.hasElement(ControlsNames::prompt));
    EXPECT_EQ(bound(Action::jump), InputBinding::key(SDL_SCANCODE_J));
    EXPECT_EQ(backs, 0);
}

TEST_F(ControlsScreenTest, TakingAnotherActionsKeySwapsTheTwoAndSaysSo)
{
    screen.build();
    step();
    clickElement(ControlsNames::binding(Action::jump));
    tap(SDL_SCANCODE_W);
    EXPECT_EQ(bound(Action::jump), InputBinding::key(SDL_SCANCODE_W));
    EXPECT_EQ(bound(Action::forward), InputBinding::key(SDL_SCANCODE_SPACE));
    EXPECT_EQ(shown(ControlsNames::binding(Action::forward)), "Space");
    EXPECT_EQ(shown(ControlsNames::status), "W moved from Forward to Jump; Forward now has Space");

    screen.restoreDefaults();
    EXPECT_EQ(settings.bindings, Engine::defaultBindings());
    EXPECT_EQ(shown(ControlsNames::binding(Action::jump)), "Space");
    EXPECT_EQ(shown(ControlsNames::binding(Action::forward)), "W");
}

TEST_F(ControlsScreenTest, AMouseButtonBindsAndItsReleaseClicksNothingBeneathThePrompt)
{
    screen.build();
    step();
    // The pointer stays on the Back button while the left button is taken for Pause.
    clickElement(ControlsNames::binding(Action::pause));
    const TransformComponent& back = ui.world.getComponent<TransformComponent>(menu.element(ControlsNames::back));
    ui.pointAt(int(back.position.x + 10), int(back.position.y + 10));
    step();
    ui.holdLeftButton(true);
    step();
    EXPECT_EQ(bound(Action::pause), InputBinding::mouseButton(SDL_BUTTON_LEFT));
    EXPECT_EQ(bound(Action::rope), InputBinding::key(SDL_SCANCODE_ESCAPE)) << "the two swap";
    EXPECT_TRUE(menu.hasElement(ControlsNames::prompt)) << "the prompt waits for the release";
    ui.holdLeftButton(false);
    step();
    step();
    EXPECT_FALSE(menu.hasElement(ControlsNames::prompt));
    EXPECT_EQ(backs, 0) << "the release did not reach Back";

    // The wheel binds too.
    clickElement(ControlsNames::binding(Action::jump));
    ui.engine.mouse->wheel = -1;
    screen.tick();
    EXPECT_EQ(bound(Action::jump), InputBinding::wheelDown());
    EXPECT_EQ(bound(Action::reelOut), InputBinding::key(SDL_SCANCODE_SPACE));
}

TEST_F(ControlsScreenTest, TheOptionsScreenLeadsHereAndEscapeLeadsBack)
{
    int optionsBacks = 0;
    Game::OptionsScreen options(ui.world, menu, ui.engine, UiTest::resources(), settings,
                                {nullptr, nullptr, [&] { ++optionsBacks; }});
    options.build();
    step();
    clickElement(Game::OptionsNames::controls);
    EXPECT_TRUE(options.controls().shown());
    EXPECT_TRUE(options.shown()) << "the Controls screen counts as part of Options";
    options.build(); // a resize rebuilds what is on show
    EXPECT_TRUE(options.controls().shown());

    options.goBack();
    step();
    EXPECT_FALSE(options.controls().shown());
    EXPECT_TRUE(menu.hasElement(Game::OptionsNames::panel));
    EXPECT_EQ(optionsBacks, 0);
    options.goBack();
    EXPECT_EQ(optionsBacks, 1);
}

TEST_F(ControlsScreenTest, ThePadsLookSpeedStepsWithinItsRangeAndItsInversionToggles)
{
    screen.build();
    step();
    EXPECT_EQ(shown(ControlsNames::padLook), "1.0");
    clickElement(ControlsNames::padLookMore);
    EXPECT_FLOAT_EQ(settings.padLookSensitivity, 1.1f);
    EXPECT_EQ(shown(ControlsNames::padLook), "1.1");
    EXPECT_EQ(applied, 1);
    settings.padLookSensitivity = Engine::kMinMouseSensitivity;
    EXPECT_FALSE(screen.stepPadLook(-1)) << "the lower end";
    EXPECT_FLOAT_EQ(settings.padLookSensitivity, Engine::kMinMouseSensitivity);
    settings.padLookSensitivity = Engine::kMaxMouseSensitivity;
    EXPECT_FALSE(screen.stepPadLook(1)) << "the upper end";

    clickElement(ControlsNames::padInvert);
    EXPECT_TRUE(settings.invertPadLook);
    EXPECT_EQ(shown(ControlsNames::padInvert), "On");
}

TEST_F(ControlsScreenTest, APadsClickBindsNoMouseButton)
{
    screen.build();
    step();
    clickElement(ControlsNames::binding(Action::jump));
    ASSERT_TRUE(screen.awaiting());
    // The pad's A stands in for the left button; the wait goes on for a key.
    ui.engine.gamepad->buttons[SDL_CONTROLLER_BUTTON_A] = 1;
    ui.holdLeftButton(true);
    step();
    EXPECT_TRUE(screen.awaiting());
    EXPECT_EQ(bound(Action::jump), InputBinding::key(SDL_SCANCODE_SPACE));
    ui.engine.gamepad->buttons[SDL_CONTROLLER_BUTTON_A] = 0;
    ui.holdLeftButton(false);
    step();
    tap(SDL_SCANCODE_K);
    EXPECT_EQ(bound(Action::jump), InputBinding::key(SDL_SCANCODE_K));
}

TEST(ControlsScreenLayout, RowsFitBetweenTheTitleAndThePadsRowAsActionsAreAdded)
{
    constexpr float kTitleBottom = 184.0f; // the title's bottom edge above the middle
    for (const size_t actions : {size_t(1), Engine::kActionCount, size_t(13)}) {
        const Game::ControlsScreen::RowLayout rows = Game::ControlsScreen::rowLayout(actions);
        const float lastBottom = rows.firstRowAboveMiddle - float((actions + 1) / 2 - 1) * rows.spacing;
        EXPECT_LE(rows.firstRowAboveMiddle + rows.height, kTitleBottom) << actions;
        EXPECT_GT(lastBottom, Game::ControlsScreen::padRowTopAboveMiddle()) << actions;
        EXPECT_GE(rows.spacing - rows.height, 8.0f) << actions << ": rows apart";
        EXPECT_GE(rows.height, 24.0f) << actions << ": rows tall enough for a line of text";
    }
}
