#include "game/editor/editorinput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using Game::EditorInput;

namespace {

// The commands of a step in which `keys` went down together (nothing held before).
EditorInput decodeKeys(std::initializer_list<SDL_Scancode> keys)
{
    std::vector<Uint8> live(SDL_NUM_SCANCODES, 0);
    for (const SDL_Scancode key : keys)
        live[key] = 1;
    Engine::KeyboardState keyboard(live.data(), SDL_NUM_SCANCODES);
    keyboard.refresh();
    return EditorInput::decode(keyboard, Engine::MouseState{});
}

} // namespace

TEST(EditorInput, ModifiersDecideWhatAKeyMeans)
{
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_LCTRL, SDL_SCANCODE_Z}).undo);
    const EditorInput shiftZ = decodeKeys({SDL_SCANCODE_RCTRL, SDL_SCANCODE_LSHIFT, SDL_SCANCODE_Z});
    EXPECT_TRUE(shiftZ.redo);
    EXPECT_FALSE(shiftZ.undo) << "Ctrl+Shift+Z redoes only";
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_LCTRL, SDL_SCANCODE_Y}).redo);
    EXPECT_FALSE(decodeKeys({SDL_SCANCODE_Z}).undo);

    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_G}).toggleSnapping);
    EXPECT_FALSE(decodeKeys({SDL_SCANCODE_LCTRL, SDL_SCANCODE_G}).toggleSnapping);
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_F}).frameSelection);
    EXPECT_FALSE(decodeKeys({SDL_SCANCODE_RALT, SDL_SCANCODE_F}).frameSelection);

    // Alt+S is a reset, and the flight keys rest meanwhile so S does not fly backwards.
    const EditorInput altS = decodeKeys({SDL_SCANCODE_LALT, SDL_SCANCODE_S});
    EXPECT_TRUE(altS.resetScale);
    EXPECT_TRUE(altS.flightHeld);
    EXPECT_FALSE(decodeKeys({SDL_SCANCODE_S}).resetScale);
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_LALT, SDL_SCANCODE_R}).resetRotation);
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_LALT, SDL_SCANCODE_P}).resetPosition);

    // Alt+Return is the game's full-screen key, not a play test.
    EXPECT_TRUE(decodeKeys({SDL_SCANCODE_RETURN}).playTestToggle);
    EXPECT_FALSE(decodeKeys({SDL_SCANCODE_LALT, SDL_SCANCODE_RETURN}).playTestToggle);
}

TEST(EditorInput, ButtonsTellPressHoldAndReleaseApart)
{
    std::vector<Uint8> live(SDL_NUM_SCANCODES, 0);
    Engine::KeyboardState keyboard(live.data(), SDL_NUM_SCANCODES);
    Engine::MouseState mouse;
    mouse.buttons = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    EditorInput in = EditorInput::decode(keyboard, mouse);
    EXPECT_TRUE(in.leftPressed && in.leftDown && in.turnPressed && in.cameraButtonDown);
    EXPECT_FALSE(in.leftReleased || in.panPressed);

    mouse.previousButtons = mouse.buttons;
    mouse.buttons = SDL_BUTTON_RMASK;
    in = EditorInput::decode(keyboard, mouse);
    EXPECT_TRUE(in.leftReleased && in.cameraButtonDown);
    EXPECT_FALSE(in.leftDown || in.leftPressed || in.turnPressed || in.turnReleased);

    mouse.previousButtons = mouse.buttons;
    mouse.buttons = SDL_BUTTON_MMASK;
    in = EditorInput::decode(keyboard, mouse);
    EXPECT_TRUE(in.turnReleased && in.panPressed && in.cameraButtonDown);
}
