#pragma once
// Draws the backgrounds of one UI layer: each a textured, tinted rectangle. A button shows its
// hover or pressed texture, and with state colours its hover or pressed tint.
#include "game/ui/uilayerdrawsystem.h"

#include <GL/glew.h>

#include <cstdint>

namespace UI::System {

class UiBackgroundDrawSystem : public UiLayerDrawSystem {
public:
    static constexpr const char* systemName = "UiBackgroundDrawSystem";

    UiBackgroundDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;
    // Only the elements whose background lies on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    GLint colorLocation;
};

} // namespace UI::System
