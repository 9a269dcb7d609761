#pragma once
// Draws the caret of the field being edited on one UI layer: a bar a sixth of a line wide and one
// line high where the text ends, in the text's colour, never clipped. It does not blink.
#include "game/ui/uilayerdrawsystem.h"

#include <GL/glew.h>

#include <cstdint>

namespace UI::System {

class UItextInputAnimationRenderSystem : public UiLayerDrawSystem {
public:
    static constexpr const char* systemName = "UItextInputAnimationRenderSystem";

    UItextInputAnimationRenderSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources);

    void processEntity(ECS::EntityId entity, float alpha) override;
    // Only the fields whose text lies on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    void beginLayer() override;

    GLint colorLocation;
    GLint boundsXLocation;
    GLint boundsYLocation;
};

} // namespace UI::System
