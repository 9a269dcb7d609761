#pragma once
// One line of an autoplay script, parsed: what to do and the arguments it needs.
#include <SDL.h>

#include <string>

namespace Engine::Autoplay {

struct ScriptCommand {
    // Pixel arguments are bounded by what a screen can mean: X11 counts in 16-bit coordinates.
    static constexpr int kMaxPixels = 32767;

    enum class Kind {
        KeyDown,    // key: held from the next update on
        KeyUp,      // key: released
        MouseTo,    // x, y: pointer to window pixels (y downwards)
        MouseBy,    // x, y: pointer moved by this many pixels
        ButtonDown, // button: SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT or SDL_BUTTON_MIDDLE
        ButtonUp,
        Wheel,      // wheel: +1 one notch up, -1 one notch down
        Text,       // text: UTF-8, typed one character at a time
        Wait,       // updates: game updates to run before the next command
        Screenshot, // text: PNG file for the frame as it stands
        Resize,     // x, y: the window's new width and height, as when the user drags its edge
        Quit,       // ends the run
    };

    Kind kind = Kind::Quit;
    int line = 0; // 1-based line of the script
    SDL_Scancode key = SDL_SCANCODE_UNKNOWN;
    int x = 0;
    int y = 0;
    Uint8 button = 0;
    int wheel = 0;
    int updates = 0;
    std::string text;
};

} // namespace Engine::Autoplay
