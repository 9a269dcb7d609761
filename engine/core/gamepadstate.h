#pragma once
// Per-step game controller snapshot through SDL's game controller interface: the first pad SDL
// knows (from its own mapping database or the SDL_GAMECONTROLLERCONFIG variable) is opened when it
// appears and closed when it goes, with a console line each time. Without the game controller
// subsystem, or without a pad, every query answers "nothing held".
#include <SDL.h>
#include <glm/vec2.hpp>

#include <array>

namespace Engine {

// A stick's deflection (x right, y up, each -1 to 1) with the radial dead zone `deadZone`
// (0 to 1): within it, none; beyond it, the same direction with the length rescaled from the
// zone's edge (0) to full deflection (1), so that small tilts start smoothly.
glm::vec2 radialDeadZone(glm::vec2 raw, float deadZone);

class GamepadState {
public:
    static constexpr float kStickDeadZone = 0.25f;
    // A trigger counts as held from this far in (0 to 1).
    static constexpr float kTriggerHeld = 0.5f;

    GamepadState() = default;
    ~GamepadState();
    GamepadState(const GamepadState&) = delete;
    GamepadState& operator=(const GamepadState&) = delete;

    // Starts a new step: opens a pad that appeared, closes one that went, and takes the open
    // pad's buttons and axes (previous takes current).
    void refresh();

    bool connected() const { return controller != nullptr; }
    bool buttonDown(SDL_GameControllerButton button) const;
    // Up in the previous step, down in this one.
    bool buttonPressed(SDL_GameControllerButton button) const;
    // The sticks with the dead zone applied: x right, y up.
    glm::vec2 leftStick() const;
    glm::vec2 rightStick() const;
    // The right trigger is in at least kTriggerHeld now / was in the previous step.
    bool rightTriggerHeld() const { return axes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT] >= kTriggerHeld; }
    bool rightTriggerHeldBefore() const { return previousAxes[SDL_CONTROLLER_AXIS_TRIGGERRIGHT] >= kTriggerHeld; }

    // The step's state, filled by refresh (and by tests): buttons non-zero when held, axes -1 to 1
    // as SDL reports them (stick y downwards, triggers 0 to 1).
    std::array<Uint8, SDL_CONTROLLER_BUTTON_MAX> buttons{};
    std::array<Uint8, SDL_CONTROLLER_BUTTON_MAX> previousButtons{};
    std::array<float, SDL_CONTROLLER_AXIS_MAX> axes{};
    std::array<float, SDL_CONTROLLER_AXIS_MAX> previousAxes{};

private:
    void openFirstPad();
    void closePad();
    void readPad();
    glm::vec2 stick(SDL_GameControllerAxis x, SDL_GameControllerAxis y) const;

    SDL_GameController* controller = nullptr;
};

} // namespace Engine
