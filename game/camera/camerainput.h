#pragma once
// The mouse and keyboard input of one tick that the camera drives read, taken from the engine's
// snapshots (or scripted by tests).
#include "game/camera/cameramath.h"

#include <glm/vec2.hpp>

namespace Engine {
class GamepadState;
struct KeyboardState;
struct MouseState;
} // namespace Engine

namespace Game {

struct CameraInput {
    int dx = 0;    // relative mouse motion in pixels, summed over the tick
    int dy = 0;
    int wheel = 0; // notches of the tick, up positive
    CameraMath::MoveKeys keys;
    glm::vec2 stick{0.0f}; // a game controller's right stick, dead zone applied: x right, y up

    // W, A, S, D held (SDL scancodes 26, 4, 22, 7), mouse motion and wheel of the tick, and the
    // right stick of `pad` when one is connected.
    static CameraInput read(const Engine::KeyboardState& keyboard, const Engine::MouseState& mouse,
                            const Engine::GamepadState* pad = nullptr);
};

namespace CameraMath {
// W, A, S, D (SDL scancodes 26, 4, 22, 7) as held in this tick.
MoveKeys readMoveKeys(const Engine::KeyboardState& keyboard);
} // namespace CameraMath

} // namespace Game
