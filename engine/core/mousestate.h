#pragma once
// Per-step mouse snapshot: pointer position, relative motion and wheel of the step, buttons.
#include <SDL.h>

#include <array>
#include <cstdint>

namespace Engine {

struct MouseState {
    // A step's wheel notches are summed up to this many either way; more in 10 ms is no gesture.
    static constexpr int kMaxWheelNotches = 10;

    // Button indices of the queries: 0 left, 1 right, 2 middle; any other index answers false.
    bool buttonDown(int index) const;
    // Went down in this step: up in the previous one, or released and pressed again within it.
    bool buttonPressed(int index) const;
    // Up in this step, down in the previous one.
    bool buttonReleased(int index) const;
    // How many times the button went down in the latest step in which it went down: 2 when both
    // clicks of a double click reached one step, as they do when frames are slow.
    int pressCount(int index) const;

    // Discards the motion gathered so far and the next step's motion and wheel, e.g. when the
    // pointer is captured or warped, so that the jump is not read as movement.
    void discardRelativeMotion();

    // When set, the next step reports no relative motion and no wheel, then clears the flag.
    bool resetRelative = false;
    int x = 0; // window pixels from the top-left corner
    int y = 0;
    int posX = 0; // = x
    int posY = 0; // window height - y: measured from the bottom edge, as the UI counts
    int relX = 0; // motion summed over the step
    int relY = 0;
    int wheel = 0; // notches of the step, up positive, at most kMaxWheelNotches either way
    // Buttons down in this step: held at its end or pressed during it, so that a click shorter
    // than a step is pressed in one step and released in the next.
    Uint32 buttons = 0;
    Uint32 previousButtons = 0;
    Uint32 pressedAgain = 0; // held in the previous step, released and pressed again in this one
    // Per button (left, right, middle): the presses of the latest step that had any.
    std::array<uint8_t, 3> presses{};
    SDL_Window* window = nullptr;
};

} // namespace Engine
