#pragma once
// Per-step keyboard snapshot, indexed by SDL scancode. A key counts as down in a step when it is
// held at the step's end or went down during the step, so that a tap shorter than a step is seen
// for one step: pressed in it, and released in the next.
#include <SDL.h>

#include <vector>

namespace Engine {

struct KeyboardState {
    // `sdlState` is the loop source's live key array (SDL_GetKeyboardState's for the real source)
    // of `numKeys` entries.
    KeyboardState(const Uint8* sdlState, int numKeys);

    // Records that `scancode` went down during the step being polled (a key event, not a repeat).
    void noteKeyDown(int scancode);
    // Starts a new step after its events were polled: previous takes current, current is the live
    // array plus the keys that went down during the step.
    void refresh();

    // Counts `scancode` as pressed in this step, as a key tapped in it would be (a game
    // controller's button standing in for the key); ignored outside the array.
    void press(int scancode);

    // Both answer false for scancodes outside the array.
    bool isDown(int scancode) const;
    // Went down in this step: up in the previous one, or released and pressed again within it.
    bool isPressed(int scancode) const;

    // Either of the two keys of a modifier is down.
    bool ctrlDown() const;
    bool shiftDown() const;
    bool altDown() const;

    const Uint8* sdlState;
    int numKeys;
    std::vector<Uint8> current;
    std::vector<Uint8> previous;
    std::vector<Uint8> wentDown; // keys that had a down event during this step

private:
    std::vector<Uint8> downWhilePolling_; // down events of the step being polled
};

} // namespace Engine
