#pragma once
// Brings file browsers to life and takes them down: a browser that enters the world has its
// folder listed (through a refresh message), Escape cancels the browser on top as its CANCEL
// button does, and one that leaves takes every element it owns and its blocker with it, however
// it was destroyed.
#include "engine/ecs/componentsystem.h"

namespace Engine {
class EngineCore;
}

namespace UI::System {

class UIfileBrowserSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "UIfileBrowserSystem";

    // Reads Escape from the engine's keyboard snapshot of the update.
    UIfileBrowserSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine);

    void processEntity(ECS::EntityId entity, float alpha) override;
    void onEntityAdded(ECS::EntityId entity) override;
    void onEntityRemoved(ECS::EntityId entity) override;

private:
    // True when nothing lies over the browser: no field is being edited and no pop-up's blocker
    // is above its layer.
    bool onTop(ECS::EntityId entity) const;

    const Engine::EngineCore* engine;
};

} // namespace UI::System
