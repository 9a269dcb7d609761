#pragma once
// The UI draw system: one instance per kind of element and UI layer draws that kind's elements
// on its layer with the kind's program. Around its elements it sets the pass's GL state (the
// program, premultiplied blending with (ONE, ONE_MINUS_SRC_ALPHA), texture unit 0) and hands back
// the usual (SRC_ALPHA, ONE_MINUS_SRC_ALPHA) factors with blending off and no texture bound when
// it ends. The kinds: backgrounds, sprites, texts and the caret of the field being edited.
#include "engine/ecs/componentsystem.h"
#include "game/core/typeids.h"
#include "game/ui/uidrawresources.h"

#include <GL/glew.h>
#include <glm/vec2.hpp>

#include <array>
#include <cstdint>
#include <utility>

namespace UI::System {

// The uniforms an element kind sets, looked up once when its system is built; -1 where unused.
struct UiDrawUniforms {
    GLint color = -1;
    GLint boundsX = -1;
    GLint boundsY = -1;
};

// Backgrounds: each a textured, tinted rectangle. A button shows its hover or pressed texture,
// and with state colours its hover or pressed tint.
struct UiBackgroundKind {
    static constexpr const char* name = "UiBackgroundDrawSystem";
    static constexpr std::array<ECS::ComponentType, 2> components{ECS::ComponentId::Transform,
                                                                   ECS::ComponentId::UIBackground};
    static constexpr bool fontProgram = false;
    // The layer of the element's background, or -1.
    static int32_t layerOf(ECS::EntityManager& world, ECS::EntityId entity);
    void beginLayer(const UiDrawResources&, const UiDrawUniforms&) {}
    void draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
              const UiDrawUniforms& uniforms);
};

// Sprites: images at their own pixel size, aligned in their element. A sprite belongs to the
// layer of its element's background.
struct UiSpriteKind {
    static constexpr const char* name = "UiSpriteDrawSystem";
    static constexpr std::array<ECS::ComponentType, 2> components{ECS::ComponentId::Transform,
                                                                   ECS::ComponentId::UISprite};
    static constexpr bool fontProgram = false;
    static int32_t layerOf(ECS::EntityManager& world, ECS::EntityId entity);
    void beginLayer(const UiDrawResources& resources, const UiDrawUniforms& uniforms);
    void draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
              const UiDrawUniforms& uniforms);
};

// Texts, aligned in their elements and, where asked, clipped to them.
struct UiTextKind {
    static constexpr const char* name = "UiTextDrawSystem";
    static constexpr std::array<ECS::ComponentType, 2> components{ECS::ComponentId::Transform,
                                                                   ECS::ComponentId::UItext};
    static constexpr bool fontProgram = true;
    // The layer of the element's text, or -1.
    static int32_t layerOf(ECS::EntityManager& world, ECS::EntityId entity);
    void beginLayer(const UiDrawResources& resources, const UiDrawUniforms& uniforms);
    void draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
              const UiDrawUniforms& uniforms);

    glm::vec2 window{0.0f}; // read once per layer
};

// The caret of the field being edited: a bar a sixth of a line wide and one line high where the
// text ends, in the text's colour, never clipped. It does not blink.
struct UiCaretKind {
    static constexpr const char* name = "UItextInputAnimationRenderSystem";
    static constexpr std::array<ECS::ComponentType, 3> components{
        ECS::ComponentId::Transform, ECS::ComponentId::UItext, ECS::ComponentId::UItextInput};
    static constexpr bool fontProgram = true;
    static int32_t layerOf(ECS::EntityManager& world, ECS::EntityId entity)
    {
        return UiTextKind::layerOf(world, entity);
    }
    void beginLayer(const UiDrawResources& resources, const UiDrawUniforms& uniforms);
    void draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
              const UiDrawUniforms& uniforms);
};

// The pass state around one layer's elements of a kind.
void beginUiPass(const UiDrawResources& resources, const Engine::GFX::ShaderProgram& program);
void endUiPass();
// The font program's colour and draw bounds, or the background program's colour.
UiDrawUniforms lookUpUniforms(const Engine::GFX::ShaderProgram& program, bool fontProgram);

template <class Kind>
class UiLayerDrawSystem final : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = Kind::name;

    UiLayerDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources)
        : UiLayerDrawSystem(manager, layer, resources, std::make_index_sequence<Kind::components.size()>{})
    {
    }

    // Only the elements of this kind on this system's layer.
    bool acceptsEntity(ECS::EntityId entity) override { return Kind::layerOf(*manager, entity) == layer; }
    void begin(float) override
    {
        beginUiPass(resources, program);
        kind.beginLayer(resources, uniforms);
    }
    void processEntity(ECS::EntityId entity, float) override { kind.draw(*manager, entity, resources, uniforms); }
    void end(float) override { endUiPass(); }

private:
    template <std::size_t... I>
    UiLayerDrawSystem(ECS::EntityManager& manager, int32_t layer, const UiDrawResources& resources,
                      std::index_sequence<I...>)
        : ECS::ComponentSystem(manager, {Kind::components[I]...})
        , layer(layer)
        , resources(resources)
        , program(Kind::fontProgram ? *resources.fontProgram : *resources.backgroundProgram)
        , uniforms(lookUpUniforms(program, Kind::fontProgram))
    {
    }

    const int32_t layer;
    const UiDrawResources resources;
    const Engine::GFX::ShaderProgram& program;
    const UiDrawUniforms uniforms;
    Kind kind;
};

using UiBackgroundDrawSystem = UiLayerDrawSystem<UiBackgroundKind>;
using UiSpriteDrawSystem = UiLayerDrawSystem<UiSpriteKind>;
using UiTextDrawSystem = UiLayerDrawSystem<UiTextKind>;
using UItextInputAnimationRenderSystem = UiLayerDrawSystem<UiCaretKind>;

} // namespace UI::System
