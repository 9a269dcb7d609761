#include "engine/core/gamepadstate.h"

#include "engine/core/log.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <string>

namespace Engine {

namespace {

constexpr float kAxisScale = 1.0f / 32767.0f;

} // namespace

glm::vec2 radialDeadZone(glm::vec2 raw, float deadZone)
{
    const float length = glm::length(raw);
    if (!(length > deadZone) || !(deadZone < 1.0f))
        return glm::vec2(0.0f);
    const float scaled = std::min(1.0f, (length - deadZone) / (1.0f - deadZone));
    return raw / length * scaled;
}

GamepadState::~GamepadState()
{
    closePad();
}

void GamepadState::refresh()
{
    previousButtons = buttons;
    previousAxes = axes;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        controller = nullptr; // SDL was shut down: its pads went with it
        buttons.fill(0);
        axes.fill(0.0f);
        return;
    }
    // Tests and scripted runs poll no SDL events, which would otherwise bring the pads' news.
    SDL_GameControllerUpdate();
    if (controller && !SDL_GameControllerGetAttached(controller)) {
        logLine("Game controller disconnected");
        closePad();
    }
    if (!controller)
        openFirstPad();
    readPad();
}

void GamepadState::openFirstPad()
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (!SDL_IsGameController(index))
            continue;
        controller = SDL_GameControllerOpen(index);
        if (!controller)
            continue;
        const char* name = SDL_GameControllerName(controller);
        logLine(std::string("Game controller connected: ") + (name ? name : "unnamed"));
        return;
    }
}

void GamepadState::closePad()
{
    if (controller && SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0)
        SDL_GameControllerClose(controller);
    controller = nullptr;
}

void GamepadState::readPad()
{
    buttons.fill(0);
    axes.fill(0.0f);
    if (!controller)
        return;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
        buttons[size_t(b)] = SDL_GameControllerGetButton(controller, SDL_GameControllerButton(b));
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a)
        axes[size_t(a)] = std::clamp(float(SDL_GameControllerGetAxis(controller, SDL_GameControllerAxis(a))) * kAxisScale,
                                     -1.0f, 1.0f);
}

bool GamepadState::buttonDown(SDL_GameControllerButton button) const
{
    return button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX && buttons[size_t(button)] != 0;
}

bool GamepadState::buttonPressed(SDL_GameControllerButton button) const
{
    return buttonDown(button) && previousButtons[size_t(button)] == 0;
}

glm::vec2 GamepadState::stick(SDL_GameControllerAxis x, SDL_GameControllerAxis y) const
{
    return radialDeadZone(glm::vec2(axes[size_t(x)], -axes[size_t(y)]), kStickDeadZone);
}

glm::vec2 GamepadState::leftStick() const
{
    return stick(SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY);
}

glm::vec2 GamepadState::rightStick() const
{
    return stick(SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY);
}

} // namespace Engine
