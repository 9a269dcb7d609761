#include "engine/core/gamepadstate.h"

#include "tests/support/virtualpad.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using Engine::GamepadState;

TEST(GamepadStateTest, TheRadialDeadZoneKeepsTheDirectionAndStartsFromZero)
{
    EXPECT_EQ(Engine::radialDeadZone({0.2f, 0.1f}, 0.25f), glm::vec2(0.0f));
    // Diagonal: each axis alone lies within the zone, the two together beyond it.
    const glm::vec2 diagonal = Engine::radialDeadZone({0.2f, 0.2f}, 0.25f);
    EXPECT_GT(diagonal.x, 0.0f);
    EXPECT_FLOAT_EQ(diagonal.x, diagonal.y);
    const glm::vec2 full = Engine::radialDeadZone({0.0f, -1.0f}, 0.25f);
    EXPECT_FLOAT_EQ(full.x, 0.0f);
    EXPECT_FLOAT_EQ(full.y, -1.0f);
    const glm::vec2 half = Engine::radialDeadZone({0.625f, 0.0f}, 0.25f);
    EXPECT_FLOAT_EQ(half.x, 0.5f);
    EXPECT_FLOAT_EQ(glm::length(Engine::radialDeadZone({1.0f, 1.0f}, 0.25f)), 1.0f) << "corners reach full, no more";
}

TEST(GamepadStateTest, APadIsOpenedWhenItComesReadAndClosedWhenItGoes)
{
    GamepadState state;
    state.refresh();
    EXPECT_FALSE(state.connected()) << "no game controller subsystem yet";

    TestSupport::VirtualPad pad;
    ASSERT_TRUE(pad.attached()) << SDL_GetError();
    testing::internal::CaptureStdout();
    state.refresh();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Game controller connected: Tetherix Test Pad\n");
    ASSERT_TRUE(state.connected());

    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, -1.0f); // pushed away: forward
    pad.tilt(SDL_CONTROLLER_AXIS_RIGHTX, 0.1f); // within the dead zone
    pad.tilt(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.8f);
    state.refresh();
    EXPECT_TRUE(state.buttonPressed(SDL_CONTROLLER_BUTTON_A));
    EXPECT_FLOAT_EQ(state.leftStick().y, 1.0f);
    EXPECT_EQ(state.rightStick(), glm::vec2(0.0f));
    EXPECT_TRUE(state.rightTriggerHeld());
    EXPECT_FALSE(state.rightTriggerHeldBefore());
    state.refresh();
    EXPECT_TRUE(state.buttonDown(SDL_CONTROLLER_BUTTON_A));
    EXPECT_FALSE(state.buttonPressed(SDL_CONTROLLER_BUTTON_A)) << "held, not pressed again";
    EXPECT_TRUE(state.rightTriggerHeldBefore());
    EXPECT_FALSE(state.buttonDown(SDL_CONTROLLER_BUTTON_INVALID));

    pad.detach();
    testing::internal::CaptureStdout();
    state.refresh();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Game controller disconnected\n");
    EXPECT_FALSE(state.connected());
    EXPECT_FALSE(state.buttonDown(SDL_CONTROLLER_BUTTON_A)) << "an unplugged pad holds nothing";
}

TEST(GamepadStateTest, APadSdlDoesNotKnowIsMappedThroughTheEnvironment)
{
    // A hidden test window never has the keyboard focus, without which SDL drops a pad's presses.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // A plain joystick: SDL has no mapping for it, so it is no game controller...
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.naxes = 2;
    desc.nbuttons = 4;
    desc.name = "Odd Stick";
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    EXPECT_FALSE(SDL_IsGameController(index));
    char guid[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
    SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);

    // ... until SDL_GAMECONTROLLERCONFIG maps it (SDL compares the GUID without its name checksum).
    std::string mapping = guid;
    mapping.replace(4, 4, "0000");
    mapping += ",Odd Stick,a:b3,b:b2,leftx:a0,lefty:a1";
    ASSERT_EQ(setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1), 0);
    // SDL reads the variable when its controller subsystem starts; one left running by an earlier
    // test in this process is stopped first, so it starts anew here.
    while (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    SDL_JoystickSetVirtualButton(stick, 3, 1);
    {
        GamepadState state;
        testing::internal::CaptureStdout();
        state.refresh();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Game controller connected: Odd Stick\n");
        EXPECT_TRUE(state.buttonDown(SDL_CONTROLLER_BUTTON_A)) << "button 3 is A by the mapping";
    }
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    unsetenv("SDL_GAMECONTROLLERCONFIG");
}
