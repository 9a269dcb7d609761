#pragma once
// What an entity looks like: a mesh and its texture, both owned elsewhere (normally by the
// RenderResources), and the render group that decides which mesh system draws it.
#include "engine/ecs/component.h"
#include "game/core/typeids.h"

#include <cstdint>

namespace Engine::GFX {
class Drawable;
class Texture2D;
} // namespace Engine::GFX

namespace Component {

struct MeshComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Mesh;

    // Render groups: the default pass draws group 0, the selection pass group 2; any other group
    // is drawn by neither.
    static constexpr uint32_t defaultGroup = 0;
    static constexpr uint32_t selectedGroup = 2;

    MeshComponent() = default;
    MeshComponent(uint32_t renderGroup, const Engine::GFX::Drawable* mesh, const Engine::GFX::Texture2D* texture)
        : renderGroup(renderGroup), mesh(mesh), texture(texture)
    {
    }

    uint32_t renderGroup = defaultGroup;
    const Engine::GFX::Drawable* mesh = nullptr;      // not owned; nothing is drawn while null
    const Engine::GFX::Texture2D* texture = nullptr;  // not owned; the default pass binds it on unit 0
};

} // namespace Component
