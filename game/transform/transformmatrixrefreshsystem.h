#pragma once
// Each rendered frame, before drawing: rebuilds every transform's world matrix between its
// previous and current state with the frame's interpolation factor.
#include "engine/ecs/entitymanager.h"

namespace Component {
struct TransformComponent;
}

namespace Game {

class TransformMatrixRefreshSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "TransformMatrixRefreshSystem";
    explicit TransformMatrixRefreshSystem(ECS::EntityManager& manager);
    void begin(float alpha) override;
    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    ECS::ComponentList<Component::TransformComponent>* transforms = nullptr;
};

} // namespace Game
