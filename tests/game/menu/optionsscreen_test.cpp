#include "game/menu/optionsscreen.h"

#include "game/menu/menu.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Component::TransformComponent;
using Component::UItextComponent;
using Game::Option;
using Game::OptionsScreen;
namespace OptionsNames = Game::OptionsNames;

namespace {

class OptionsScreenTest : public TestSupport::GLTest {
protected:
    OptionsScreenTest() : menu(ui.world), screen(ui.world, menu, ui.engine, UiTest::resources(), settings, links()) {}

    OptionsScreen::Links links()
    {
        OptionsScreen::Links made;
        made.displayModes = [this] { return modes; };
        made.apply = [this] { applied.push_back(settings); };
        made.back = [this] { ++backs; };
        return made;
    }

    void clickElement(const std::string& name)
    {
        ASSERT_TRUE(menu.hasElement(name)) << name;
        const TransformComponent& t = ui.world.getComponent<TransformComponent>(menu.element(name));
        ui.click(int(t.position.x + t.scale.x / 2), int(t.position.y + t.scale.y / 2));
    }
    const UItextComponent& text(const std::string& name)
    {
        return ui.world.getComponent<UItextComponent>(menu.element(name));
    }
    bool dimmed(const std::string& name) { return text(name).color.r < 0.5f; }

    UiTest::UiWorld ui;
    Game::Menu menu;
    Engine::Settings settings;
    std::vector<glm::ivec2> modes{{1920, 1080}, {800, 600}, {1280, 720}, {1920, 1080}, {320, 200}, {1600, 900}};
    std::vector<Engine::Settings> applied;
    int backs = 0;
    OptionsScreen screen;
};

} // namespace

TEST_F(OptionsScreenTest, ShowsEverySettingAndTheStepsChangeAndApplyThemAtOnce)
{
    screen.build();
    ui.step();
    ASSERT_TRUE(screen.shown());
    EXPECT_TRUE(dimmed(OptionsNames::less(Option::vsync))) << "Off is the first vsync choice";

    clickElement(OptionsNames::more(Option::fieldOfView));
    clickElement(OptionsNames::less(Option::mouseSensitivity));
    clickElement(OptionsNames::more(Option::vsync));
    clickElement(OptionsNames::value(Option::invertMouse));
    clickElement(OptionsNames::value(Option::fullscreen));
    clickElement(OptionsNames::more(Option::resolution));
    clickElement(OptionsNames::more(Option::renderScale));
    ASSERT_TRUE(settings.ghost) << "the ghost is on by default";
    clickElement(OptionsNames::value(Option::ghost));
    EXPECT_EQ(settings.fieldOfView, 115);
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 0.9f);
    EXPECT_EQ(settings.swapInterval, 1);
    EXPECT_TRUE(settings.invertMouse);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(glm::ivec2(settings.width, settings.height), glm::ivec2(1600, 900));
    EXPECT_EQ(settings.renderScale, 75) << "a scale not chosen yet steps from 100%";
    EXPECT_FALSE(settings.ghost);
    EXPECT_EQ(text(OptionsNames::value(Option::ghost)).text, "Off");
    ASSERT_EQ(applied.size(), 8u) << "each change is applied as it is made";
    EXPECT_EQ(applied.back(), settings);
    EXPECT_EQ(text(OptionsNames::value(Option::fieldOfView)).text, "115\u00b0");
    EXPECT_EQ(text(OptionsNames::value(Option::mouseSensitivity)).text, "0.9");
    EXPECT_EQ(text(OptionsNames::value(Option::vsync)).text, "On");
    EXPECT_EQ(text(OptionsNames::value(Option::resolution)).text, "1600 \u00d7 900");
    EXPECT_EQ(text(OptionsNames::value(Option::renderScale)).text, "75%");

    clickElement(OptionsNames::back);
    EXPECT_EQ(backs, 1);
}

TEST_F(OptionsScreenTest, ValuesOutOfRangeAreRefusedAndTheStepsStopAtTheEnds)
{
    screen.build();
    ui.step();
    for (int i = 0; i < 5; ++i)
        clickElement(OptionsNames::more(Option::fieldOfView));
    EXPECT_EQ(settings.fieldOfView, 120);
    EXPECT_TRUE(dimmed(OptionsNames::more(Option::fieldOfView)));
    EXPECT_FALSE(dimmed(OptionsNames::less(Option::fieldOfView)));
    EXPECT_FALSE(screen.step(Option::fieldOfView, 1));

    const size_t changes = applied.size();
    EXPECT_FALSE(screen.setFieldOfView(121));
    EXPECT_FALSE(screen.setMouseSensitivity(0.0f));
    EXPECT_FALSE(screen.setMouseSensitivity(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(screen.setSwapInterval(2));
    EXPECT_FALSE(screen.setResolution({1024, 768})) << "not a mode of the display";
    EXPECT_FALSE(screen.setResolution({320, 200})) << "smaller than the smallest window";
    EXPECT_EQ(applied.size(), changes);
    EXPECT_EQ(settings.fieldOfView, 120);
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 1.0f);

    // Sensitivity walks in tenths from a hand-written value to the nearer tenth, and stops at 0.1.
    ASSERT_TRUE(screen.setMouseSensitivity(0.35f));
    EXPECT_EQ(OptionsScreen::valueText(Option::mouseSensitivity, settings), "0.35");
    EXPECT_TRUE(screen.step(Option::mouseSensitivity, -1));
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 0.3f);
    while (screen.step(Option::mouseSensitivity, -1)) {
    }
    EXPECT_FLOAT_EQ(settings.mouseSensitivity, 0.1f);

    // Resolutions: the display's modes that fit, and the present size, each once, smallest first.
    EXPECT_EQ(screen.resolutions(),
              (std::vector<glm::ivec2>{{800, 600}, {1280, 720}, {1600, 900}, {1920, 1080}}));
    modes.clear();
    EXPECT_EQ(screen.resolutions(), (std::vector<glm::ivec2>{{1280, 720}})) << "the window's own size is offered";
    EXPECT_FALSE(screen.step(Option::resolution, 1));

    // Render scale: Auto, 100%, 75%, 50%, and nothing beyond.
    EXPECT_FALSE(screen.setRenderScale(60));
    EXPECT_FALSE(screen.setRenderScale(Engine::kRenderScaleUnset));
    while (screen.step(Option::renderScale, -1)) {
    }
    EXPECT_EQ(settings.renderScale, Engine::kRenderScaleAuto);
    EXPECT_EQ(OptionsScreen::valueText(Option::renderScale, settings), "Auto");
    EXPECT_TRUE(dimmed(OptionsNames::less(Option::renderScale)));
    while (screen.step(Option::renderScale, 1)) {
    }
    EXPECT_EQ(settings.renderScale, 50);
    EXPECT_TRUE(dimmed(OptionsNames::more(Option::renderScale)));
}

TEST_F(OptionsScreenTest, BuiltAgainForANewWindowSize)
{
    screen.build();
    ui.step();
    const size_t elements = menu.elements().size();
    ui.source.windowHeight = 600;
    screen.build();
    ui.step();
    EXPECT_EQ(ui.world.getComponent<TransformComponent>(menu.element(OptionsNames::panel)).scale.y, 600.0f);
    EXPECT_EQ(menu.elements().size(), elements) << "the old screen is gone";
}

TEST_F(OptionsScreenTest, EscapeGoesBackUnlessAPopupLiesOverTheScreen)
{
    screen.build();
    ui.step();
    const auto pressEscape = [this] {
        ui.holdKey(SDL_SCANCODE_ESCAPE, true);
        ui.step();
        screen.tick();
        ui.holdKey(SDL_SCANCODE_ESCAPE, false);
        ui.step();
        screen.tick();
    };
    // A pop-up's blocker over the screen keeps Escape for the pop-up.
    const ECS::EntityId blocker = UI::createBlocker(ui.world, 9, ui.white(), 100, 100);
    pressEscape();
    EXPECT_EQ(backs, 0);
    ui.world.destroyEntity(blocker);
    pressEscape();
    EXPECT_EQ(backs, 1);
}
