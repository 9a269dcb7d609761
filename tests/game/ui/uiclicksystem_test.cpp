#include "game/ui/uiclicksystem.h"

#include "game/ui/uielements.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

using Component::UIclickableComponent;
using TestSupport::GLTest;
using UiTest::UiWorld;

namespace {

constexpr glm::vec4 kTint{0.5f, 0.5f, 0.5f, 0.5f};

class UIclickSystemTest : public GLTest {
protected:
    // A button of 100 x 50 at (x, y) on `layer` with `priority` that counts its clicks.
    ECS::EntityId button(float x, float y, int32_t layer, int32_t priority, int& clicks,
                         glm::vec4 color = glm::vec4(1.0f))
    {
        const ECS::EntityId entity = UI::createBackground(ui.world, layer, {x, y}, {100, 50}, ui.white(), color);
        UI::addClickable(ui.world, entity, priority, [&clicks] { ++clicks; }, ui.white(), ui.white(), kTint, kTint);
        return entity;
    }
    uint32_t state(ECS::EntityId entity) { return ui.world.getComponent<UIclickableComponent>(entity).state; }

    UiWorld ui;
};

} // namespace

TEST_F(UIclickSystemTest, HoverPressAndReleaseFireTheCallbackOnce)
{
    int clicks = 0;
    const ECS::EntityId b = button(100, 100, 1, 1, clicks);
    ui.step();
    // Both borders count as inside.
    ui.pointAt(200, 150);
    ui.step();
    EXPECT_EQ(state(b), UI::Hovered);
    ui.holdLeftButton(true);
    ui.step();
    EXPECT_EQ(state(b), UI::Pressed);
    ui.step(); // held: still pressed, nothing fires
    EXPECT_EQ(clicks, 0);
    ui.holdLeftButton(false);
    ui.step();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(state(b), UI::Hovered);
    EXPECT_TRUE(ui.state.mouseOverUI);

    ui.pointAt(201, 150);
    ui.step();
    EXPECT_EQ(state(b), UI::Idle);
    EXPECT_FALSE(ui.state.mouseOverUI);

    // Pressed on the button, released away from it: nothing fires.
    ui.pointAt(120, 120);
    ui.step();
    ui.holdLeftButton(true);
    ui.step();
    ui.pointAt(500, 500);
    ui.holdLeftButton(false);
    ui.step();
    EXPECT_EQ(clicks, 1);

    // In press mode the press fires, the release does not.
    ui.world.getComponent<UIclickableComponent>(b).clickMode = UI::OnPress;
    ui.click(120, 120);
    EXPECT_EQ(clicks, 2);
}

TEST_F(UIclickSystemTest, PressesThatReachOneStepTogetherCountOnlyWhereAsked)
{
    int plainClicks = 0;
    int countedClicks = 0;
    button(100, 100, 1, 1, plainClicks);
    const ECS::EntityId counting = button(300, 100, 1, 1, countedClicks);
    ui.step();
    ui.world.getComponent<UIclickableComponent>(counting).countsEveryPress = true;

    ui.clickWithPresses(150, 120, 2);
    EXPECT_EQ(plainClicks, 1) << "an ordinary button acts once a step";
    ui.clickWithPresses(350, 120, 2);
    EXPECT_EQ(countedClicks, 2) << "both clicks of a double click count";
    ui.click(350, 120);
    EXPECT_EQ(countedClicks, 3);

    // An action that closes its button ends the runs: nothing acts on an element on its way out.
    int closingClicks = 0;
    const ECS::EntityId closing = button(500, 100, 1, 1, closingClicks);
    ui.step();
    UIclickableComponent& c = ui.world.getComponent<UIclickableComponent>(closing);
    c.countsEveryPress = true;
    c.callback = [this, closing, &closingClicks] {
        ++closingClicks;
        ui.world.destroyEntity(closing);
    };
    ui.clickWithPresses(550, 120, 3);
    EXPECT_EQ(closingClicks, 1);
}

TEST_F(UIclickSystemTest, GreatestWeightWinsAndTiesGoToTheFirstJoined)
{
    int first = 0;
    int second = 0;
    int high = 0;
    const ECS::EntityId a = button(100, 100, 1, 1, first);
    const ECS::EntityId b = button(120, 120, 1, 1, second);
    ui.step();
    ui.click(130, 130);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(state(a), UI::Hovered);
    EXPECT_EQ(state(b), UI::Idle);

    // A higher priority created later still wins.
    button(110, 110, 0, 2, high);
    ui.step();
    ui.click(130, 130);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(first, 1);
}

TEST_F(UIclickSystemTest, OnlyUiElementsTakePartInPointerTestsVisibleOrNot)
{
    // A menu button's background is invisible, yet it is clicked like any other.
    int clicks = 0;
    button(100, 100, 1, 1, clicks, glm::vec4(0.0f));
    // A block in the world, whose transform read as pixels would cover the whole window.
    const ECS::EntityId block = ui.world.createEntity();
    Component::TransformComponent transform;
    transform.position = glm::vec3(-10.0f, -10.0f, 0.0f);
    transform.scale = glm::vec3(5000.0f, 5000.0f, 1.0f);
    ui.world.addComponent(block, transform);
    ui.step();
    ui.click(150, 120);
    EXPECT_EQ(clicks, 1);
    ui.pointAt(700, 700);
    ui.step();
    EXPECT_FALSE(ui.state.mouseOverUI);

    // An invisible background on a layer above the button's priority swallows the click.
    UI::createBackground(ui.world, 3, {0, 0}, {1280, 720}, ui.white(), glm::vec4(0.0f));
    ui.step();
    ui.click(150, 120);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(ui.state.mouseOverUI);
}

TEST_F(UIclickSystemTest, ElementsQueuedForDestructionTakeNoClicks)
{
    int clicks = 0;
    const ECS::EntityId b = button(100, 100, 1, 1, clicks);
    ui.pointAt(150, 120);
    ui.step();
    ui.holdLeftButton(true);
    ui.step();
    // The screen is taken down in the update in which the button is released.
    ui.world.destroyEntity(b);
    ui.holdLeftButton(false);
    ui.step();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(ui.world.isAlive(b));
}

TEST_F(UIclickSystemTest, ABlockerMakesWhatItCoversInert)
{
    int under = 0;
    int above = 0;
    // A button whose priority outweighs the blocker's layer is still covered by it...
    button(100, 100, 1, 6, under);
    UI::createBlocker(ui.world, 2, ui.white(), 1280, 720);
    // ...while an element drawn above the blocker takes clicks.
    button(400, 100, 3, 4, above);
    ui.step();

    ui.click(150, 120);
    ui.click(450, 120);
    EXPECT_EQ(under, 0);
    EXPECT_EQ(above, 1);
}

TEST_F(UIclickSystemTest, LockedStatesStayAndNoButtonReactsWhileAFieldIsEdited)
{
    int clicks = 0;
    const ECS::EntityId field = UI::createTextElement(ui.world, 1, {100, 100}, {200, 40}, ui.white(), glm::vec4(1.0f),
                                                      ui.font(), UI::kWhite, "name", UI::AlignLeft, glm::vec2(0.0f));
    UI::addClickable(
        ui.world, field, 1, [&] { UI::beginTextInput(ui.world, field, {}, {}, {}); }, ui.white(), ui.white(), kTint,
        kTint);
    button(400, 100, 1, 1, clicks);
    ui.step();

    ui.click(150, 120);
    ASSERT_TRUE(ui.world.hasComponent<Component::UItextInputComponent>(field));
    EXPECT_TRUE(ui.world.getComponent<UIclickableComponent>(field).stateLocked);
    const uint32_t frozen = state(field);
    ui.click(450, 120);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(state(field), frozen);

    ui.tap(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(ui.world.getComponent<UIclickableComponent>(field).stateLocked);
    ui.click(450, 120);
    EXPECT_EQ(clicks, 1);
}
