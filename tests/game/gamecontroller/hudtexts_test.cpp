#include "game/gamecontroller/hudtexts.h"

#include "engine/gfx/font.h"
#include "tests/game/player/playertestworld.h"
#include "tests/support/gltest.h"

#include <gtest/gtest.h>

#include <limits>

using Game::HudTexts;

TEST(HudFpsTest, RoundsTheFrameRateAndShowsZeroWithoutAFrameTime)
{
    EXPECT_EQ(Game::fpsValue(16.7f), 60);
    EXPECT_EQ(Game::fpsValue(33.3f), 30);
    EXPECT_EQ(Game::fpsValue(0.0f), 0);
    EXPECT_EQ(Game::fpsValue(-5.0f), 0);
    EXPECT_EQ(Game::fpsValue(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(Game::fpsValue(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(Game::fpsText(10.0f), "FPS: 100");
}

namespace {

class HudTextsTest : public TestSupport::GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        ASSERT_TRUE(font.loadFromFile("./data/fonts/engine_font.fnt"));
    }

    Engine::GFX::Font font;
    PlayerTest::PlayerWorld world;
};

} // namespace

TEST_F(HudTextsTest, SpeedAndRopeFollowThePlayerWhileItIsInControl)
{
    Engine::GFX::TextMesh fps(font);
    HudTexts hud(font, fps);
    world.body().velocity = {9.0f, 0.0f, 0.0f};
    hud.refreshPlayer(world.ecs, world.player);
    EXPECT_EQ(hud.speed().text(), u"Speed: 33 km/h");
    EXPECT_EQ(hud.rope().text(), u"") << "no rope shown while the player does not hang on one";

    world.body().attached = true;
    world.body().ropeLength = 23.46f;
    hud.refreshPlayer(world.ecs, world.player);
    EXPECT_EQ(hud.rope().text(), u"Rope: 23.5 m");

    // Out of control (menus, the editor) both read-outs go blank.
    world.body().enabled = false;
    hud.refreshPlayer(world.ecs, world.player);
    EXPECT_EQ(hud.speed().text(), u"");
    EXPECT_EQ(hud.rope().text(), u"");
    EXPECT_FALSE(hud.speed().hasMesh());
}

TEST_F(HudTextsTest, AnEntityWithoutABodyLeavesTheTextsAsTheyWere)
{
    Engine::GFX::TextMesh fps(font);
    HudTexts hud(font, fps);
    hud.refreshPlayer(world.ecs, world.player);
    const std::u16string before = hud.speed().text();
    hud.refreshPlayer(world.ecs, world.ecs.createEntity());
    EXPECT_EQ(hud.speed().text(), before);
}

TEST_F(HudTextsTest, TheFpsTextChangesOnlyWithItsRoundedValue)
{
    Engine::GFX::TextMesh fps(font);
    HudTexts hud(font, fps);
    hud.refreshFps(16.7f);
    EXPECT_EQ(fps.text(), u"FPS: 60");
    fps.setText("marker");
    hud.refreshFps(16.68f);
    EXPECT_EQ(fps.text(), u"marker") << "the same rounded value lays nothing out again";
    hud.refreshFps(20.0f);
    EXPECT_EQ(fps.text(), u"FPS: 50");
}
