#pragma once
// Camera components: the camera record itself, its orientation angles and eye offset, and the
// drives that move it (mouse look, pan, wheel zoom, keyboard flight, height floor, menu circling).
#include "engine/ecs/component.h"
#include "game/core/typeids.h"
#include "game/camera/cameradata.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace Component {

// The render code draws with `current`; `previous` holds the state of the start of the tick.
struct CameraComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::Camera;

    CameraComponent() = default;
    explicit CameraComponent(const Game::CameraData& defaults)
        : current(Game::CameraData::copyOf(defaults)), previous(Game::CameraData::copyOf(defaults)),
          spare(Game::CameraData::copyOf(defaults))
    {
    }

    Game::CameraData current;
    Game::CameraData previous;
    Game::CameraData spare;
};

// Orientation in degrees (yaw from +x towards +y, pitch up from the horizontal, roll sideways)
// and the eye offset from the entity's position (only z, the eye height, is used), each with its
// copy from the start of the tick for interpolation.
struct CameraModificationComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CameraModification;

    glm::vec3 previousOffset{0.0f};
    glm::vec3 offset{0.0f};
    float yaw = 0.0f;
    float pitch = 0.0f; // kept within [-90, 90]
    float roll = 0.0f;
    float previousYaw = 0.0f;
    float previousPitch = 0.0f;
    float previousRoll = 0.0f;
};

struct CameraMouseMovementComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CameraMouseMovement;
    bool enabled = false;
};

struct CameraMouseShiftComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CameraMouseShift;
    bool enabled = false;
};

struct CameraMouseZoomMoveComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CameraMouseZoomMove;
    bool enabled = true;
};

struct FreeCamMovementComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::FreeCamMovement;
    bool enabled = false;
};

struct CameraZclampComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::CameraZclamp;
    float minZ = 0.5f;
};

// The menu camera circles `center` at `eyeHeight`, looking at `target`.
struct MenuCameraAnimationComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::MenuCameraAnimation;
    glm::vec2 center{0.0f, 0.0f};
    float eyeHeight = 5.0f;
    glm::vec3 target{0.0f, 0.0f, 10.0f};
    float distance = 100.0f; // kept for map tools; the animation keeps the radius it starts with
};

} // namespace Component
