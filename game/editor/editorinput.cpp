#include "game/editor/editorinput.h"

#include <SDL.h>

namespace Game {
namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kMiddle = 2;

void decodeButtons(EditorInput& in, const Engine::MouseState& mouse)
{
    in.leftPressed = mouse.buttonPressed(kLeft);
    in.leftDown = mouse.buttonDown(kLeft);
    in.leftReleased = mouse.buttonReleased(kLeft);
    in.turnPressed = mouse.buttonPressed(kRight);
    in.turnReleased = mouse.buttonReleased(kRight);
    in.panPressed = mouse.buttonPressed(kMiddle);
    in.panReleased = mouse.buttonReleased(kMiddle);
    in.cameraButtonDown = mouse.buttonDown(kRight) || mouse.buttonDown(kMiddle);
}

void decodeKeys(EditorInput& in, const Engine::KeyboardState& keys)
{
    const bool ctrl = keys.ctrlDown();
    const bool alt = keys.altDown();
    const bool plain = !ctrl && !alt;
    in.nextTool = keys.isPressed(SDL_SCANCODE_TAB);
    in.toggleHelp = keys.isPressed(SDL_SCANCODE_F1);
    in.toggleSnapping = plain && keys.isPressed(SDL_SCANCODE_G);
    in.frameSelection = plain && keys.isPressed(SDL_SCANCODE_F);
    in.redo = ctrl && (keys.isPressed(SDL_SCANCODE_Y) || (keys.isPressed(SDL_SCANCODE_Z) && keys.shiftDown()));
    in.undo = ctrl && !in.redo && keys.isPressed(SDL_SCANCODE_Z);
    in.resetScale = alt && keys.isPressed(SDL_SCANCODE_S);
    in.resetRotation = alt && keys.isPressed(SDL_SCANCODE_R);
    in.resetPosition = alt && keys.isPressed(SDL_SCANCODE_P);
    in.deleteSelection = keys.isPressed(SDL_SCANCODE_DELETE);
    in.addBlock = keys.isPressed(SDL_SCANCODE_INSERT);
    const bool more = keys.isPressed(SDL_SCANCODE_EQUALS) || keys.isPressed(SDL_SCANCODE_KP_PLUS);
    const bool less = keys.isPressed(SDL_SCANCODE_MINUS) || keys.isPressed(SDL_SCANCODE_KP_MINUS);
    in.numberStep = plain ? int(more) - int(less) : 0;
    in.escape = keys.isPressed(SDL_SCANCODE_ESCAPE);
    in.playTestToggle = !alt && keys.isPressed(SDL_SCANCODE_RETURN);
}

} // namespace

EditorInput EditorInput::decode(const Engine::KeyboardState& keys, const Engine::MouseState& mouse)
{
    EditorInput in;
    decodeButtons(in, mouse);
    in.additive = keys.shiftDown();
    in.duplicate = keys.ctrlDown();
    in.onGrid = keys.altDown();
    in.flightHeld = keys.altDown();
    decodeKeys(in, keys);
    return in;
}

} // namespace Game
