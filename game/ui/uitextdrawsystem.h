#pragma once
// Draws the texts of one UI layer, aligned in their elements and, where asked, clipped to them.
#include "game/ui/uilayerdrawsystem.h"

#include <GL/glew.h>
#include <glm/vec2.hpp>

#include <cstdint>

namespace UI::System {

class UiTextDrawSystem : public UiLayerDrawSystem {
public:
    static constexpr const char* systemName = "UiTextDrawSystem";

    UiTextDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;
    // Only the texts on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    void beginLayer() override;

    GLint colorLocation;
    GLint boundsXLocation;
    GLint boundsYLocation;
    glm::vec2 window{0.0f};
};

} // namespace UI::System
