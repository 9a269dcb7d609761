#pragma once
// Draws the editor's gizmo: the visible handles in their current colours into the scene, and the
// handles' ids into the picking image, from which pickHandle reads the handle under the pointer.
// The caller binds the target and sets the camera's view and projection first.
#include "engine/gfx/rendercontext.h"
#include "game/editor/editordatacomponent.h"
#include "game/resources/renderresources.h"

#include <cstdint>

namespace Game {

class EditorGizmoDrawer {
public:
    // The picking image draws the handles this much thicker, so they are easier to grab.
    static constexpr float kBorderScale = 0.06f;

    EditorGizmoDrawer(Engine::GFX::RenderContext& context, const RenderResources& resources);

    // The three axis handles of the current tool and, except for rotating, the centre handle.
    void draw(const Component::EditorDataComponent& data);
    // The same handles in flat colours whose red byte is the handle's id (1 x, 2 y, 3 z, 4 centre).
    void drawIds(const Component::EditorDataComponent& data);
    // The handle id at (x, y), pixels from the bottom-left corner, in the picking image.
    std::uint32_t pickHandle(int x, int y) const;

private:
    void drawPart(const std::string& subMesh, const glm::vec4& colour, int colourLocation) const;

    Engine::GFX::RenderContext* context;
    const RenderResources* resources;
};

} // namespace Game
