#pragma once
// Hover, press and click handling of the UI elements, once per update. Of the elements under the
// pointer one is the candidate: the one with the greatest weight, where a clickable weighs its
// priority and a background its layer; only a strictly greater weight takes over, so among equals
// the element that joined first wins. Only the candidate's button changes to hovered or pressed
// and may fire, so at most one callback runs per pass.
#include "engine/ecs/componentsystem.h"

#include <climits>
#include <cstdint>

namespace Engine {
class EngineCore;
}

namespace UI::System {

class UIclickSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "UIclickSystem";

    // Reads the pointer and the left button from the engine's mouse snapshot of the update.
    UIclickSystem(ECS::EntityManager& manager, const Engine::EngineCore& engine);

    void begin(float alpha) override;
    void processEntity(ECS::EntityId entity, float alpha) override;
    void end(float alpha) override;
    // UI elements only: other entities' transforms are world coordinates, not window pixels.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    // Highest layer of a blocker under the pointer, or INT_MIN when there is none.
    int32_t topBlockerLayer() const;
    // True when a blocker under the pointer lies over the element, which then takes no clicks.
    bool isCovered(ECS::EntityId entity) const;
    void releaseUnlocked(ECS::EntityId entity);

    const Engine::EngineCore* engine;
    int pointerX = 0;
    int pointerY = 0;
    int32_t blockerLayer = INT_MIN;
    int32_t bestWeight = -1;
    bool pointerOverSomething = false;
    ECS::EntityId candidate = ECS::InvalidEntity;
};

} // namespace UI::System
