#include "game/camera/cameradata.h"

#include <glm/geometric.hpp>

#include <cfloat>

namespace Game {

CameraData CameraData::copyOf(const CameraData& source)
{
    CameraData copy = source;
    const glm::vec3 direction = source.center - source.eye;
    const float length = glm::length(direction);
    copy.center = length > FLT_EPSILON ? direction / length : glm::vec3(0.0f);
    return copy;
}

} // namespace Game
