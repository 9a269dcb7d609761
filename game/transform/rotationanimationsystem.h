#pragma once
// Each tick: turns every entity with a RotationAnimationComponent by its angle about its axis,
// in the entity's own frame.
#include "engine/ecs/entitymanager.h"

#include <glm/gtc/quaternion.hpp>

namespace Game {

class RotationAnimationSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "RotationAnimationSystem";
    explicit RotationAnimationSystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// `rotation` turned by `angleDegrees` about `axis` (own frame), normalised; the identity when
// the result has no length.
glm::quat rotatedByOwnAxis(const glm::quat& rotation, float angleDegrees, const glm::vec3& axis);

} // namespace Game
