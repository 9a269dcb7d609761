#pragma once
// Draws the sprites of one UI layer: images at their own pixel size, aligned in their element.
// A sprite belongs to the layer of its element's background.
#include "game/ui/uilayerdrawsystem.h"

#include <GL/glew.h>

#include <cstdint>

namespace UI::System {

class UiSpriteDrawSystem : public UiLayerDrawSystem {
public:
    static constexpr const char* systemName = "UiSpriteDrawSystem";

    UiSpriteDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;
    // Only sprites whose element has its background on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    void beginLayer() override;

    GLint colorLocation;
};

} // namespace UI::System
