#include "game/camera/camerainput.h"

#include "engine/core/gamepadstate.h"
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"

namespace Game {

namespace CameraMath {

MoveKeys readMoveKeys(const Engine::KeyboardState& keyboard)
{
    MoveKeys keys;
    keys.forward = keyboard.isDown(SDL_SCANCODE_W);
    keys.left = keyboard.isDown(SDL_SCANCODE_A);
    keys.back = keyboard.isDown(SDL_SCANCODE_S);
    keys.right = keyboard.isDown(SDL_SCANCODE_D);
    return keys;
}

} // namespace CameraMath

CameraInput CameraInput::read(const Engine::KeyboardState& keyboard, const Engine::MouseState& mouse,
                              const Engine::GamepadState* pad)
{
    CameraInput input;
    input.dx = mouse.relX;
    input.dy = mouse.relY;
    input.wheel = mouse.wheel;
    input.keys = CameraMath::readMoveKeys(keyboard);
    if (pad)
        input.stick = pad->rightStick();
    return input;
}

} // namespace Game
