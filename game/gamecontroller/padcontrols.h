#pragma once
// What a game controller does outside the player's own drive, once per update before the game
// reads its input: B counts as Escape (back, cancel, pause) everywhere; while the game shows its
// pointer (menus, pop-ups, Options, the map browser, the editor), the d-pad or the left stick
// moves the pointer from button to button, so the hovered button is the focus, and A clicks it.
#include "engine/config/inputbinding.h"
#include "engine/ecs/ecstypes.h"

#include <glm/vec2.hpp>

#include <optional>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}

namespace Game {

struct GameStateRecord;

class PadControls {
public:
    // A stick held over to one side moves the focus again after this many updates.
    static constexpr int kRepeatTicks = 25;
    // How far the left stick must lean to move the focus.
    static constexpr float kStickPush = 0.6f;

    // Everything given must outlive the controls.
    PadControls(Engine::EngineCore& engine, ECS::EntityManager& world, const GameStateRecord& state);

    // Feeds the pad into the step's keyboard and mouse snapshots as described above.
    void beforeUpdate();

    // Escape, the pause binding or the pad's Start went down in this step.
    static bool pausePressed(const Engine::EngineCore& engine, const Engine::Bindings& bindings);

    // The button nearest to window pixel `from` (from the bottom-left) in `direction` (a unit
    // step of the d-pad, y up) among those not under a pop-up's backdrop, or, without a
    // direction, the nearest at all; ECS::InvalidEntity when there is none.
    ECS::EntityId focusTarget(glm::vec2 from, glm::vec2 direction) const;

private:
    std::optional<glm::vec2> navigation();
    void moveFocus(glm::vec2 direction);

    Engine::EngineCore* engine;
    ECS::EntityManager* world;
    const GameStateRecord* state;
    int repeatWait = 0;
};

} // namespace Game
