#include "game/gamecontroller/hudtexts.h"

#include <cmath>

namespace Game {

int fpsValue(float averageFrameMs)
{
    if (!(averageFrameMs > 0.0f) || !std::isfinite(averageFrameMs))
        return 0;
    return static_cast<int>(std::lround(1000.0f / averageFrameMs));
}

std::string fpsText(float averageFrameMs)
{
    return "FPS: " + std::to_string(fpsValue(averageFrameMs));
}

} // namespace Game
