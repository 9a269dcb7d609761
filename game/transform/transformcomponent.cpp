#include "game/transform/transformcomponent.h"

#include <glm/gtx/matrix_decompose.hpp>

namespace Component {

bool TransformComponent::setFromMatrix(const glm::mat4& m)
{
    glm::vec3 newScale, newPosition, skew;
    glm::quat orientation;
    glm::vec4 perspective;
    if (!glm::decompose(m, newScale, orientation, newPosition, skew, perspective))
        return false;
    // GLM 0.9.9 decomposes into the orientation itself, so it is taken as it is and
    // setFromMatrix(currentMatrix()) round-trips.
    position = newPosition;
    scale = newScale;
    rotation = orientation;
    return true;
}

bool TransformComponent::setFromMatrixImmediate(const glm::mat4& m)
{
    if (!setFromMatrix(m))
        return false;
    copyToPrevious();
    return true;
}

void TransformComponent::copyToPrevious()
{
    previousPosition = position;
    previousScale = scale;
    previousRotation = rotation;
}

glm::mat4 TransformComponent::currentMatrix() const
{
    glm::mat4 m;
    writeMatrix(m, position, rotation, scale);
    return m;
}

} // namespace Component
