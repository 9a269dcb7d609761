#include "engine/core/keyboardstate.h"

#include <algorithm>

namespace Engine {

KeyboardState::KeyboardState(const Uint8* sdlState, int numKeys)
    : sdlState(sdlState)
    , numKeys(sdlState ? std::max(numKeys, 0) : 0)
    , current(static_cast<size_t>(this->numKeys), 0)
    , previous(static_cast<size_t>(this->numKeys), 0)
{
}

void KeyboardState::refresh()
{
    previous.swap(current);
    std::copy(sdlState, sdlState + numKeys, current.begin());
}

bool KeyboardState::isDown(int scancode) const
{
    return scancode >= 0 && scancode < numKeys && current[static_cast<size_t>(scancode)] != 0;
}

bool KeyboardState::isPressed(int scancode) const
{
    return isDown(scancode) && previous[static_cast<size_t>(scancode)] == 0;
}

} // namespace Engine
