#pragma once
// Tells the rest of the game whether the pointer lies on a UI element: every update it writes
// `mouseOverUI` of the state record, which the editor reads to leave clicks on the UI alone.
#include "engine/ecs/componentsystem.h"

namespace Engine {
class EngineCore;
}
namespace Game {
struct GameStateRecord;
}

namespace UI::System {

class MouseOnUIcheckSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "MouseOnUIcheckSystem";

    MouseOnUIcheckSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine, Game::GameStateRecord& state);

    void begin(float alpha) override;
    void processEntity(ECS::EntityId entity, float alpha) override;
    void end(float alpha) override;
    // UI elements only: other entities' transforms are world coordinates, not window pixels.
    bool acceptsEntity(ECS::EntityId entity) override;
    // With no element left the system no longer runs, so the flag is cleared when the last goes.
    void onEntityAdded(ECS::EntityId entity) override;
    void onEntityRemoved(ECS::EntityId entity) override;

private:
    const Engine::EngineCore* engine;
    Game::GameStateRecord* state;
    std::size_t elementCount = 0;
    bool pointerOverUi = false;
};

} // namespace UI::System
