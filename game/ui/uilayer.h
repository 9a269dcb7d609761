#pragma once
// The UI layer of the game: registers the UI component types, adds the UI systems to the world
// (per draw layer a background, sprite, text and caret drawer; the click, pointer-over-UI and
// text-input systems), and gives the game controller its two
// calls: click handling once per update and the drawing of all layers once per frame.
#include "game/core/gamehooks.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uidrawresources.h"

#include <array>
#include <cstdint>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}
namespace Game {
class RenderResources;
struct GameStateRecord;
} // namespace Game

namespace UI {

namespace System {
class UIclickSystem;
template <class Kind>
class UiLayerDrawSystem;
struct UiBackgroundKind;
struct UiSpriteKind;
struct UiTextKind;
struct UiCaretKind;
} // namespace System

class UiLayer final : public Game::UiPass {
public:
    // Everything given must outlive the layer. The engine's render context must exist.
    UiLayer(ECS::EntityManager& world, Engine::EngineCore& engine, const Game::RenderResources& resources,
            Game::GameStateRecord& state);

    // Hover, press and click handling (UIclickSystem).
    void handleClicks() override;
    // Layers 0 to 9, each: backgrounds, sprites, texts, carets. The caller has set the
    // screen-pixel camera on the render context.
    void draw() override;

    // Draw calls of the last draw().
    std::uint32_t drawCallsLastFrame() const { return stats.drawCalls; }

private:
    struct LayerSystems {
        System::UiLayerDrawSystem<System::UiBackgroundKind>* backgrounds = nullptr;
        System::UiLayerDrawSystem<System::UiSpriteKind>* sprites = nullptr;
        System::UiLayerDrawSystem<System::UiTextKind>* texts = nullptr;
        System::UiLayerDrawSystem<System::UiCaretKind>* carets = nullptr;
    };

    UiDrawStats stats;
    std::array<LayerSystems, kLayerCount> layers;
    System::UIclickSystem* clickSystem = nullptr;
};

} // namespace UI
