#include "engine/core/mousestate.h"

namespace Engine {
namespace {

Uint32 buttonMask(int index)
{
    switch (index) {
    case 0:
        return SDL_BUTTON_LMASK;
    case 1:
        return SDL_BUTTON_RMASK;
    case 2:
        return SDL_BUTTON_MMASK;
    default:
        return 0;
    }
}

} // namespace

bool MouseState::buttonDown(int index) const
{
    return (buttons & buttonMask(index)) != 0;
}

bool MouseState::buttonPressed(int index) const
{
    const Uint32 mask = buttonMask(index);
    return (buttons & mask) != 0 && ((previousButtons & mask) == 0 || (pressedAgain & mask) != 0);
}

bool MouseState::buttonReleased(int index) const
{
    const Uint32 mask = buttonMask(index);
    return (previousButtons & mask) != 0 && (buttons & mask) == 0;
}

int MouseState::pressCount(int index) const
{
    return index >= 0 && index < static_cast<int>(presses.size()) ? presses[static_cast<size_t>(index)] : 0;
}

void MouseState::discardRelativeMotion()
{
    resetRelative = true;
    relX = 0;
    relY = 0;
}

} // namespace Engine
