#pragma once
// A block's place as the editor stores it: position, scale and rotation exactly as the block's
// transform holds them, so putting a block back never goes through a matrix decomposition.
#include "game/transform/transformcomponent.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace Game {

struct BlockPose {
    glm::vec3 position{0.0f};
    glm::vec3 scale{1.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};

    static BlockPose of(const Component::TransformComponent& transform)
    {
        return BlockPose{transform.position, transform.scale, transform.rotation};
    }
    // T(position) · R(rotation) · S(scale).
    glm::mat4 matrix() const
    {
        glm::mat4 m;
        Component::TransformComponent::writeMatrix(m, position, rotation, scale);
        return m;
    }
    // Sets the current state and, so the block is drawn at once where it now is, the previous one.
    void applyTo(Component::TransformComponent& transform) const
    {
        transform.position = position;
        transform.scale = scale;
        transform.rotation = rotation;
        transform.copyToPrevious();
    }
    // The same, but the previous state stays, so the change is interpolated over the next frames.
    void applyInterpolated(Component::TransformComponent& transform) const
    {
        transform.position = position;
        transform.scale = scale;
        transform.rotation = rotation;
    }
    bool operator==(const BlockPose& other) const
    {
        return position == other.position && scale == other.scale && rotation == other.rotation;
    }
};

} // namespace Game
