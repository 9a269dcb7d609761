#pragma once
// What the keys and buttons of one editor tick mean: the editor's commands, decoded once from the
// keyboard and mouse snapshots. Whether a command applies now (the mode, the pointer over the UI,
// a pause) is for the editor to judge.
#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"

namespace Game {

struct EditorInput {
    // Left button: picks blocks, drags handles, draws boxes and places blocks.
    bool leftPressed = false;
    bool leftDown = false;
    bool leftReleased = false;
    // Right button turns the camera, middle button pans it.
    bool turnPressed = false;
    bool turnReleased = false;
    bool panPressed = false;
    bool panReleased = false;
    bool cameraButtonDown = false;

    // Shift: clicks and boxes add to the selection or take from it.
    bool additive = false;
    // Ctrl at the release of a handle drag: the dragged blocks stay and copies move.
    bool duplicate = false;
    // Alt: a snapped drag lands on the grid itself, and the flight keys rest (Alt+S is a reset).
    bool onGrid = false;
    bool flightHeld = false;

    bool nextTool = false;       // Tab
    bool toggleHelp = false;     // F1
    bool toggleSnapping = false; // G
    bool frameSelection = false; // F
    bool undo = false;           // Ctrl+Z
    bool redo = false;           // Ctrl+Y, Ctrl+Shift+Z
    bool resetScale = false;     // Alt+S
    bool resetRotation = false;  // Alt+R
    bool resetPosition = false;  // Alt+P
    bool deleteSelection = false; // Delete
    bool addBlock = false;        // Insert
    // + (also = and the keypad's +) and − (also the keypad's): a selected checkpoint's number.
    int numberStep = 0;
    bool escape = false;
    // Return starts and ends a play-test; Alt+Return is the game's full-screen key.
    bool playTestToggle = false;

    static EditorInput decode(const Engine::KeyboardState& keys, const Engine::MouseState& mouse);
};

} // namespace Game
