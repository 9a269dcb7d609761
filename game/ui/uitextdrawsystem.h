#pragma once
// Draws the texts of one UI layer, aligned in their elements and, where asked, clipped to them.
#include "engine/ecs/componentsystem.h"
#include "game/ui/uidrawresources.h"

#include <GL/glew.h>
#include <glm/vec2.hpp>

#include <cstdint>

namespace UI::System {

class UiTextDrawSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "UiTextDrawSystem";

    UiTextDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources);

    void begin(float alpha) override;
    void processEntity(ECS::EntityId entity, float alpha) override;
    void end(float alpha) override;
    // Only the texts on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override;

private:
    int32_t layer;
    UiDrawResources resources;
    GLint colorLocation;
    GLint boundsXLocation;
    GLint boundsYLocation;
    glm::vec2 window{0.0f};
};

} // namespace UI::System
