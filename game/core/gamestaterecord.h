#pragma once
// Which screen is active and how the pointer is shown, shared by pointer between the game
// controller, the menus, the editor and the UI systems.
#include <cstdint>

namespace Game {

struct GameStateRecord {
    static constexpr uint32_t mainMenu = 0;
    static constexpr uint32_t singlePlayer = 1;
    static constexpr uint32_t editor = 2;

    uint32_t state = mainMenu;
    bool paused = false;      // a pause menu is open (single player or editor)
    bool showCursor = true;   // the game draws its own pointer image; the system pointer stays hidden
    bool mouseOverUI = false; // written every update: the pointer lies on a UI element
};

} // namespace Game
