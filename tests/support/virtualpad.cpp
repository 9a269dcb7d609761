#include "tests/support/virtualpad.h"

#include <algorithm>

namespace TestSupport {

VirtualPad::VirtualPad()
{
    // SDL drops a pad's presses while none of the program's windows has the keyboard focus, and a
    // test's hidden window never has it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Tetherix Test Pad";
    deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    if (deviceIndex >= 0)
        joystick = SDL_JoystickOpen(deviceIndex);
}

VirtualPad::~VirtualPad()
{
    detach();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void VirtualPad::press(SDL_GameControllerButton button, bool down)
{
    if (joystick)
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
}

void VirtualPad::tilt(SDL_GameControllerAxis axis, float value)
{
    if (joystick)
        SDL_JoystickSetVirtualAxis(joystick, axis, Sint16(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

void VirtualPad::detach()
{
    if (!joystick)
        return;
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    SDL_JoystickDetachVirtual(deviceIndex);
}

} // namespace TestSupport
