#pragma once
// A game controller made with SDL's virtual joystick driver, for tests of everything a pad drives.
// It starts SDL's game controller subsystem for its lifetime and attaches a pad of SDL's standard
// layout (buttons and axes numbered as SDL_GameControllerButton and SDL_GameControllerAxis).
#include <SDL.h>

namespace TestSupport {

class VirtualPad {
public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // False when SDL could not make the pad (the reason is in SDL_GetError).
    bool attached() const { return joystick != nullptr; }
    void press(SDL_GameControllerButton button, bool down);
    // `value` from -1 to 1 (triggers 0 to 1); sticks count y downwards, as SDL does.
    void tilt(SDL_GameControllerAxis axis, float value);
    // Unplugs the pad; the game sees it go at its next refresh.
    void detach();

private:
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;
};

} // namespace TestSupport
