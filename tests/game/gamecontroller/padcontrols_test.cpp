// A game controller alone, through SDL's virtual joystick driver: it moves through the menus,
// plays, pauses and goes back, in the real game driven by the engine loop.
#include "game/gamecontroller/padcontrols.h"

#include "game/menu/menu.h"
#include "game/menu/menubuilder.h"
#include "game/menu/optionsscreen.h"
#include "game/transform/transformcomponent.h"
#include "tests/support/gameharness.h"
#include "tests/support/virtualpad.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

using Game::GameStateRecord;

namespace {

class PadControlsTest : public TestSupport::GameHarness {
protected:
    // A press and release of `button`, one update each, and one more for what the release does.
    void tap(SDL_GameControllerButton button)
    {
        pad.press(button, true);
        runUpdates(1);
        pad.press(button, false);
        runUpdates(2);
    }
    // The menu element the pointer lies on now, by its name; "" when none.
    std::string focused()
    {
        const Engine::MouseState& mouse = *engine->mouse;
        for (const auto& [name, entity] : game().menu().elements()) {
            if (!game().world().hasComponent<Component::TransformComponent>(entity))
                continue;
            const auto& t = game().world().getComponent<Component::TransformComponent>(entity);
            const bool on = t.position.x <= mouse.posX && mouse.posX <= t.position.x + t.scale.x &&
                            t.position.y <= mouse.posY && mouse.posY <= t.position.y + t.scale.y;
            if (on && name.find("backdrop") == std::string::npos && name.find("panel") == std::string::npos)
                return name;
        }
        return "";
    }
    // Moves the focus with the d-pad until it lies on `name`, at most `presses` times.
    void focusOn(const std::string& name, SDL_GameControllerButton arrow, int presses = 8)
    {
        for (int i = 0; i < presses && focused() != name; ++i)
            tap(arrow);
        ASSERT_EQ(focused(), name);
    }
    glm::vec3 playerPosition()
    {
        return game().world().getComponent<Component::TransformComponent>(game().playerEntity()).position;
    }

    TestSupport::VirtualPad pad;
};

} // namespace

TEST_F(PadControlsTest, APadAloneMovesThroughTheMenusPlaysAndPauses)
{
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    runUpdates(1);
    ASSERT_TRUE(engine->gamepad->connected());
    const GameStateRecord& state = game().stateRecord();

    // Options and back with B.
    focusOn(Game::MenuNames::options, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(game().options().shown());
    tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(game().options().shown());
    EXPECT_TRUE(game().menu().hasElement(Game::MenuNames::singleplayer));

    // Play: the left stick runs, Start pauses.
    focusOn(Game::MenuNames::singleplayer, SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(state.state, GameStateRecord::singlePlayer);
    runUpdates(200); // falls from the start height and lands
    const glm::vec3 landed = playerPosition();
    pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, -1.0f);
    runUpdates(60);
    pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, 0.0f);
    EXPECT_GT(glm::length(glm::vec2(playerPosition() - landed)), 2.0f) << "the stick runs";
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(state.paused);
    tap(SDL_CONTROLLER_BUTTON_B);
    EXPECT_FALSE(state.paused) << "B goes back to the game";

    // Paused again, down to "Back to menu" and A.
    tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(state.paused);
    focusOn(Game::MenuNames::backToMenu, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(state.state, GameStateRecord::mainMenu);
}

TEST_F(PadControlsTest, TheFocusSkipsWhatAPopUpCovers)
{
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    runUpdates(1);
    Game::PadControls controls(*engine, game().world(), game().stateRecord());
    const ECS::EntityId box = game().menuBuilder().createOKpopup(2, "Hello");
    runUpdates(1);
    ASSERT_NE(box, ECS::InvalidEntity);
    // From the top-left corner every way leads only to the pop-up's OK button.
    const ECS::EntityId ok = controls.focusTarget({0.0f, 720.0f}, {0.0f, 0.0f});
    ASSERT_NE(ok, ECS::InvalidEntity);
    EXPECT_EQ(controls.focusTarget({0.0f, 720.0f}, {0.0f, -1.0f}), ok);
    EXPECT_EQ(controls.focusTarget({0.0f, 720.0f}, {1.0f, 0.0f}), ok);
    const auto& t = game().world().getComponent<Component::TransformComponent>(ok);
    EXPECT_GT(t.position.x, 300.0f) << "not a menu button under the backdrop";
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    runUpdates(1);
    EXPECT_FALSE(game().world().hasComponent<Component::TransformComponent>(box)) << "A pressed OK";
}
