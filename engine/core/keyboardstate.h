#pragma once
// Per-step keyboard snapshot, indexed by SDL scancode. A key is down when current[key] is non-zero
// and pressed (went down in this step) when it is also zero in previous.
#include <SDL.h>

#include <vector>

namespace Engine {

struct KeyboardState {
    // `sdlState` is the loop source's live key array (SDL_GetKeyboardState's for the real source)
    // of `numKeys` entries.
    KeyboardState(const Uint8* sdlState, int numKeys);

    // Starts a new step: previous takes current, current copies the live array.
    void refresh();

    // Both answer false for scancodes outside the array.
    bool isDown(int scancode) const;
    bool isPressed(int scancode) const;

    const Uint8* sdlState;
    int numKeys;
    std::vector<Uint8> current;
    std::vector<Uint8> previous;
};

} // namespace Engine
