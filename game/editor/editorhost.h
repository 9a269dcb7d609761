#pragma once
// What the editor asks of the game around it: the menus and pop-ups of the UI layer, the picking
// image of the last frame, and the window and pointer. The game implements it; tests fake it.
#include <glm/vec2.hpp>

#include <cstdint>
#include <string>

namespace Game {

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // A pop-up or the file browser is open: the editor leaves the 3-D view alone.
    virtual bool modalOpen() = 0;
    // Builds the editor's pause menu (the editor has set `paused`).
    virtual void openPauseMenu() = 0;
    // Does what the pause menu's "Resume" button does.
    virtual void resumeFromPause() = 0;
    // The editor's top bar: removed while play-testing, built again afterwards.
    virtual void clearTopBar() = 0;
    virtual void buildTopBar() = 0;
    // Closes the top bar's "+ Add" drop-down if it is open.
    virtual void closeAddDropdown() = 0;
    // Marks the current tool's button in the top bar.
    virtual void showTool(std::uint32_t tool) = 0;
    // Shows in the top bar whether drags snap to steps.
    virtual void showSnapping(bool on) = 0;
    // The overlay that lists the editor's keys and mouse actions: shows or hides it.
    virtual void toggleHelp() = 0;
    virtual bool helpShown() = 0;
    // The rectangle of a box selection between two window pixels (y up), drawn over the view
    // until hidden.
    virtual void showSelectionBox(glm::vec2 corner, glm::vec2 opposite) = 0;
    virtual void hideSelectionBox() = 0;
    // An OK pop-up with `text` over everything.
    virtual void showMessage(const std::string& text) = 0;

    // Handle id (0 none, 1 x, 2 y, 3 z, 4 centre) under the pointer at (x, y), pixels from the
    // window's bottom-left corner, in the picking image of the last frame.
    virtual std::uint32_t pickHandle(int x, int y) = 0;

    // Window size in pixels.
    virtual void windowSize(int& width, int& height) = 0;
    // Moves the pointer to window pixels (x, y), y downwards.
    virtual void warpPointer(int x, int y) = 0;
    // Keeps the pointer inside the window (camera turning and panning).
    virtual void grabPointer(bool grabbed) = 0;
    // Captures the pointer for first-person play, or releases it.
    virtual void capturePointer(bool captured) = 0;
};

} // namespace Game
