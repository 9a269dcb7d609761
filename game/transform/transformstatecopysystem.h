#pragma once
// Start of each tick: every transform's current state becomes its previous state, so that the
// frames drawn during the tick interpolate from where the entity stood when the tick began.
#include "engine/ecs/entitymanager.h"

namespace Game {

class TransformStateCopySystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "TransformStateCopySystem";
    explicit TransformStateCopySystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

} // namespace Game
