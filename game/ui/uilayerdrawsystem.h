#pragma once
// The base of the UI draw systems: each draws the elements of one UI layer with one program.
// Around its elements it sets the pass's GL state (the program, premultiplied blending with
// (ONE, ONE_MINUS_SRC_ALPHA), texture unit 0) and hands back the usual (SRC_ALPHA,
// ONE_MINUS_SRC_ALPHA) factors with blending off and no texture bound when it ends.
#include "engine/ecs/componentsystem.h"
#include "game/ui/uidrawresources.h"

#include <cstdint>
#include <initializer_list>

namespace UI::System {

class UiLayerDrawSystem : public ECS::ComponentSystem {
public:
    void begin(float alpha) override;
    void end(float alpha) override;

protected:
    UiLayerDrawSystem(ECS::EntityManager& manager, std::initializer_list<ECS::ComponentType> requiredComponents,
                      int32_t layer, const UiDrawResources& resources, const Engine::GFX::ShaderProgram& program);

    // What a system sets once for its whole layer after the pass state is on; nothing by default.
    virtual void beginLayer() {}

    const int32_t layer;
    const UiDrawResources resources;
    const Engine::GFX::ShaderProgram& program;
};

} // namespace UI::System
