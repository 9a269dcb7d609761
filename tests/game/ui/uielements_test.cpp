#include "game/ui/uielements.h"

#include "game/transform/transformcomponent.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

using Component::UIBackgroundComponent;
using Component::UIclickableComponent;
using Component::UISpriteComponent;
using Component::UItextComponent;
using TestSupport::GLTest;
using UiTest::UiWorld;

namespace {

class UiButtonTest : public GLTest {
protected:
    UiWorld ui;
};

} // namespace

TEST_F(UiButtonTest, AButtonCarriesItsStyleFaceAndActionAndAnEmptyActionOnlyShowsItsStates)
{
    int clicks = 0;
    const glm::vec4 green{0.0f, 1.0f, 0.0f, 0.4f};
    const glm::vec4 hover{0.1f, 0.2f, 0.3f, 0.4f};
    const glm::vec4 pressed{0.5f, 0.6f, 0.7f, 0.8f};
    const ECS::EntityId button =
        UI::createButton(ui.world, 3, {100, 100}, {160, 48}, {ui.white(), green, hover, pressed, 5},
                         {&ui.font(), "OK", UI::kWhite, 4, ui.white()}, [&clicks] { ++clicks; });
    const ECS::EntityId inert = UI::createButton(ui.world, 2, {400, 100}, {100, 48}, {ui.white()}, {}, nullptr);
    ui.step();

    const UIBackgroundComponent& background = ui.world.getComponent<UIBackgroundComponent>(button);
    EXPECT_EQ(background.layer, 3);
    EXPECT_EQ(background.color, green);
    const UItextComponent& text = ui.world.getComponent<UItextComponent>(button);
    EXPECT_EQ(text.text, "OK");
    EXPECT_EQ(text.layer, 4u);
    EXPECT_EQ(text.alignX, UI::AlignCentreX);
    const UISpriteComponent& icon = ui.world.getComponent<UISpriteComponent>(button);
    EXPECT_EQ(icon.alignX, UI::AlignCentreX);
    EXPECT_EQ(icon.alignY, UI::AlignCentreY);
    const UIclickableComponent& clickable = ui.world.getComponent<UIclickableComponent>(button);
    EXPECT_EQ(clickable.priority, 5);
    EXPECT_TRUE(clickable.useStateColors);
    EXPECT_EQ(clickable.hoverColor, hover);
    EXPECT_EQ(clickable.pressedColor, pressed);
    ui.click(150, 120);
    EXPECT_EQ(clicks, 1);

    // No face: a bare background; the default style is transparent with the shared tints.
    EXPECT_FALSE(ui.world.hasComponent<UItextComponent>(inert));
    EXPECT_FALSE(ui.world.hasComponent<UISpriteComponent>(inert));
    EXPECT_EQ(ui.world.getComponent<UIBackgroundComponent>(inert).color, UI::Palette::transparent);
    EXPECT_EQ(ui.world.getComponent<UIclickableComponent>(inert).priority, 1);
    ui.click(450, 120);
    EXPECT_EQ(ui.world.getComponent<UIclickableComponent>(inert).state, UI::Hovered);
    EXPECT_EQ(ui.world.getComponent<UIclickableComponent>(inert).hoverColor, UI::Palette::hoverTint);
}
