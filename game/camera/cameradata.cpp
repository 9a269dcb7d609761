#include "game/camera/cameradata.h"

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
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

void CameraData::setPerspective(float newWidth, float newHeight, float newFieldOfView)
{
    width = std::max(newWidth, 1.0f);
    height = std::max(newHeight, 1.0f);
    fieldOfView = newFieldOfView;
    projection = glm::perspectiveFov(glm::radians(fieldOfView), width, height, nearPlane, farPlane);
}

} // namespace Game
