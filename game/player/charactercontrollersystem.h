#pragma once
// The player's tick: keys to horizontal velocity with ground and air control, the grappling
// rope (fire on a fresh left press, hold while the button is down, swing on its sphere, reel in
// and out with the wheel), the controller step, jumping, and the resulting position into the
// transform.
#include "engine/ecs/componentsystem.h"
#include "game/player/playermovement.h"

#include <functional>

namespace Component {
struct CharacterControllerComponent;
struct TransformComponent;
struct CameraModificationComponent;
} // namespace Component

namespace Game {

class CharacterControllerSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CharacterControllerSystem";
    static constexpr float tickSeconds = 0.01f;
    // Eye height above the capsule's centre is height · 0.5 − 0.2.
    static constexpr float eyeBelowTop = 0.2f;

    using InputSource = std::function<PlayerMovement::PlayerInput()>;

    // `input` is asked once per entity and tick for the current keyboard and mouse state.
    CharacterControllerSystem(ECS::EntityManager& manager, InputSource input);

    void processEntity(ECS::EntityId entity, float alpha) override;

    // One tick of the entity with the given input (what processEntity does with the source's).
    void tick(ECS::EntityId entity, const PlayerMovement::PlayerInput& input);

private:
    void fireRope(Component::CharacterControllerComponent& c, const glm::vec3& from, const glm::vec3& look) const;
    void holdRope(Component::CharacterControllerComponent& c, Component::TransformComponent& t,
                  const glm::vec3& start, glm::vec2& velocity) const;
    void reelRope(Component::CharacterControllerComponent& c, float units) const;

    InputSource input;
};

// Start-of-tick bookkeeping for player entities; the player keeps no previous state of its own.
class CharacterControllerStateCopySystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CharacterControllerStateCopySystem";
    explicit CharacterControllerStateCopySystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

} // namespace Game
