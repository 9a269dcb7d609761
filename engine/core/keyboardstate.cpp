#include "engine/core/keyboardstate.h"

#include <algorithm>

namespace Engine {

KeyboardState::KeyboardState(const Uint8* sdlState, int numKeys)
    : sdlState(sdlState)
    , numKeys(sdlState ? std::max(numKeys, 0) : 0)
    , current(static_cast<size_t>(this->numKeys), 0)
    , previous(static_cast<size_t>(this->numKeys), 0)
    , wentDown(static_cast<size_t>(this->numKeys), 0)
    , downWhilePolling_(static_cast<size_t>(this->numKeys), 0)
{
}

void KeyboardState::noteKeyDown(int scancode)
{
    if (scancode >= 0 && scancode < numKeys)
        downWhilePolling_[static_cast<size_t>(scancode)] = 1;
}

void KeyboardState::refresh()
{
    previous.swap(current);
    wentDown.swap(downWhilePolling_);
    std::fill(downWhilePolling_.begin(), downWhilePolling_.end(), Uint8{0});
    for (int key = 0; key < numKeys; ++key) {
        const size_t i = static_cast<size_t>(key);
        current[i] = (sdlState[i] != 0 || wentDown[i] != 0) ? 1 : 0;
    }
}

void KeyboardState::press(int scancode)
{
    if (scancode < 0 || scancode >= numKeys)
        return;
    current[static_cast<size_t>(scancode)] = 1;
    wentDown[static_cast<size_t>(scancode)] = 1;
}

bool KeyboardState::isDown(int scancode) const
{
    return scancode >= 0 && scancode < numKeys && current[static_cast<size_t>(scancode)] != 0;
}

bool KeyboardState::isPressed(int scancode) const
{
    if (!isDown(scancode))
        return false;
    const size_t i = static_cast<size_t>(scancode);
    return previous[i] == 0 || wentDown[i] != 0;
}

bool KeyboardState::ctrlDown() const
{
    return isDown(SDL_SCANCODE_LCTRL) || isDown(SDL_SCANCODE_RCTRL);
}

bool KeyboardState::shiftDown() const
{
    return isDown(SDL_SCANCODE_LSHIFT) || isDown(SDL_SCANCODE_RSHIFT);
}

bool KeyboardState::altDown() const
{
    return isDown(SDL_SCANCODE_LALT) || isDown(SDL_SCANCODE_RALT);
}

} // namespace Engine
