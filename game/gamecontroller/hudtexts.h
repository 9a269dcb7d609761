#pragma once
// The heads-up read-outs the controller refreshes every update.
#include <string>

namespace Game {

// 1000 / averageFrameMs rounded to the nearest integer; 0 while no frame time is known.
int fpsValue(float averageFrameMs);
// "FPS: " and fpsValue.
std::string fpsText(float averageFrameMs);

} // namespace Game
