#pragma once
// Brings file browsers to life and takes them down: a browser that enters the world has its
// folder listed (through a refresh message), and one that leaves takes every element it owns
// and its blocker with it, however it was destroyed.
#include "engine/ecs/componentsystem.h"

namespace UI::System {

class UIfileBrowserSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "UIfileBrowserSystem";

    explicit UIfileBrowserSystem(ECS::EntityManager& manager);

    void processEntity(ECS::EntityId entity, float alpha) override;
    void onEntityAdded(ECS::EntityId entity) override;
    void onEntityRemoved(ECS::EntityId entity) override;
};

} // namespace UI::System
