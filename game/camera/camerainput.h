#pragma once
// The mouse and keyboard input of one tick that the camera drives read, filled from the engine's
// snapshots by the game (scripted by tests).
#include "game/camera/cameramath.h"

struct CameraInput {
    int dx = 0;    // relative mouse motion in pixels, summed over the tick
    int dy = 0;
    int wheel = 0; // -1, 0 or +1
    Game::CameraMath::MoveKeys keys;
};
