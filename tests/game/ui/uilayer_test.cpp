#include "game/ui/uilayer.h"

#include "game/ui/uielements.h"
#include "game/ui/uitextplacement.h"
#include "tests/engine/gfx/gltesthelpers.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

using Component::UIclickableComponent;
using Component::UItextComponent;
using GfxTest::readPixel;
using TestSupport::GLTest;
using UiTest::UiWorld;

namespace {

constexpr glm::vec4 kRed{1.0f, 0.0f, 0.0f, 1.0f};
constexpr glm::vec4 kBlue{0.0f, 0.0f, 1.0f, 1.0f};

class UiLayerDrawTest : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        target = std::make_unique<GfxTest::OffscreenTarget>(1280, 720);
        ASSERT_TRUE(target->complete);
    }
    void TearDown() override
    {
        target.reset();
        glViewport(0, 0, TestSupport::kGLWindowWidth, TestSupport::kGLWindowHeight);
    }

    // Clears to white and draws the UI as the frame does: culling on, blending off.
    void drawFrame()
    {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        ui.draw();
        glDisable(GL_CULL_FACE);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Pixels of the rectangle whose colour is mostly red, at least `minimum` of red.
    int redPixels(int x, int y, int w, int h, int minimum = 128)
    {
        std::vector<uint8_t> rgba(static_cast<size_t>(w * h * 4));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        int count = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            count += rgba[i] >= minimum && rgba[i + 1] < 100 && rgba[i + 2] < 100;
        return count;
    }

    UiWorld ui;
    std::unique_ptr<GfxTest::OffscreenTarget> target;
};

} // namespace

TEST_F(UiLayerDrawTest, HigherLayersCoverLowerOnesWhateverTheOrderOfCreation)
{
    UI::createBackground(ui.world, 9, {100, 100}, {100, 100}, ui.white(), kRed);
    UI::createBackground(ui.world, 0, {150, 150}, {100, 100}, ui.white(), kBlue);
    // Half-transparent black blends over the white clear colour (premultiplied).
    UI::createBackground(ui.world, 4, {400, 100}, {50, 50}, ui.white(), {0.0f, 0.0f, 0.0f, 0.5f});
    // An invisible button draws nothing until the pointer is over it.
    const ECS::EntityId b = UI::createBackground(ui.world, 1, {600, 100}, {100, 50}, ui.white(), glm::vec4(0.0f));
    UI::addClickable(ui.world, b, 1, {}, ui.white(), ui.white(), {0.5f, 0.5f, 0.5f, 0.5f}, {0.0f, 0.0f, 0.0f, 0.5f});
    ui.step();
    drawFrame();
    EXPECT_EQ(readPixel(175, 175), (std::array<uint8_t, 4>{255, 0, 0, 255}));
    EXPECT_EQ(readPixel(225, 225), (std::array<uint8_t, 4>{0, 0, 255, 255}));
    EXPECT_EQ(readPixel(99, 99), (std::array<uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_NEAR(readPixel(425, 125)[0], 128, 2);
    EXPECT_EQ(readPixel(650, 120), (std::array<uint8_t, 4>{255, 255, 255, 255}));
    EXPECT_EQ(ui.ui->drawCallsLastFrame(), 3u);

    // Hovered it shows its tint, pressed the other one.
    ui.pointAt(650, 120);
    ui.step();
    drawFrame();
    EXPECT_NEAR(readPixel(650, 120)[0], 191, 2); // 0.5 grey at half cover over white
    ui.holdLeftButton(true);
    ui.step();
    drawFrame();
    EXPECT_NEAR(readPixel(650, 120)[0], 128, 2); // black at half cover
}

TEST_F(UiLayerDrawTest, ClippedTextStaysInsideItsBoxAndAnEditedFieldShowsItsEndAndTheCaret)
{
    const ECS::EntityId e =
        UI::createTextElement(ui.world, 1, {300, 300}, {120, 40}, ui.white(), glm::vec4(0.0f), ui.font(), kRed,
                              "A long line of text that does not fit", UI::AlignLeft, glm::vec2(0.0f));
    ui.step();
    UItextComponent& text = ui.world.getComponent<UItextComponent>(e);
    text.clipToBox = true;
    text.clipPadding = {4.0f, 0.0f};
    drawFrame();
    EXPECT_GT(redPixels(304, 300, 112, 40), 50);
    EXPECT_EQ(redPixels(416, 290, 300, 60, 20), 0);
    EXPECT_EQ(redPixels(250, 290, 54, 60, 20), 0);

    UI::beginTextInput(ui.world, e, {}, {}, {});
    ui.step();
    ui.type("!");
    ui.step();
    const auto& element = ui.world.getComponent<Component::TransformComponent>(e);
    const UItextComponent& typed = ui.world.getComponent<UItextComponent>(e);
    // Edited, the end of the text sits at the right padding; not edited, the start at the left.
    const glm::vec2 edited = UI::textOrigin(element, typed, true);
    EXPECT_NEAR(edited.x + float(typed.textMesh.width()), 300.0f + 120.0f - 4.0f, 1.0f);
    EXPECT_EQ(UI::textOrigin(element, typed, false).x, 300.0f);

    // The caret follows the end of the text, inside the box's right edge.
    drawFrame();
    EXPECT_GT(redPixels(410, 305, 16, 30), 10);
    EXPECT_EQ(redPixels(430, 290, 100, 60, 20), 0);
}
