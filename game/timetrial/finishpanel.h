#pragma once
// The small panel under the finish read-outs: "Retry (R)", "Next (N)" (the next shipped course,
// only where there is one) and "Back to menu (Esc)", as buttons on a dark box in the middle of
// the window. The keys are the time trial's to read; the panel only shows and clicks.
#include "engine/ecs/ecstypes.h"

#include <array>
#include <functional>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}

namespace Game {

class RenderResources;

class FinishPanel {
public:
    static constexpr const char* kRetryText = "Retry (R)";
    static constexpr const char* kNextText = "Next (N)";
    static constexpr const char* kBackText = "Back to menu (Esc)";
    // Above the HUD's read-outs (layer 0); buttons over the box.
    static constexpr int32_t kBoxLayer = 1;
    static constexpr int32_t kButtonLayer = 2;

    struct Actions {
        std::function<void()> retry;
        std::function<void()> next; // empty: no next course, no button
        std::function<void()> backToMenu;
    };
    enum Button : size_t { Retry, Next, Back, kButtons };

    FinishPanel(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources);
    ~FinishPanel();
    FinishPanel(const FinishPanel&) = delete;
    FinishPanel& operator=(const FinishPanel&) = delete;

    // Shows the panel with `actions` unless it is shown.
    void open(Actions actions);
    // Takes the panel down; nothing when it is not shown.
    void close();
    bool shown() const { return box != ECS::InvalidEntity; }
    // The button's element, ECS::InvalidEntity when it is not shown.
    ECS::EntityId button(Button which) const { return buttons[which]; }

private:
    ECS::EntityManager* world;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    ECS::EntityId box = ECS::InvalidEntity;
    std::array<ECS::EntityId, kButtons> buttons{};
};

} // namespace Game
