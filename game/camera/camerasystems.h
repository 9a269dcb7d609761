#pragma once
// Camera systems: start-of-tick state copies, the per-tick drives (mouse look, keyboard flight,
// pan, wheel, height floor, menu circling) and the per-frame view build between two ticks.
#include "engine/ecs/componentsystem.h"
#include "game/camera/camerainput.h"

#include <functional>

namespace Game {

// Asked by the drives for the input of the current tick; the game reads the engine's snapshots
// (CameraInput::read), tests return scripted input.
using CameraInputSource = std::function<CameraInput()>;

// previous = current camera data (the copy's centre becomes the view direction).
class CameraStateCopySystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraStateCopySystem";
    explicit CameraStateCopySystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Previous offset and angles = current ones.
class CameraModificationStateCopySystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraModificationStateCopySystem";
    explicit CameraModificationStateCopySystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Mouse look while enabled: yaw and pitch follow the mouse, yaw wraps, pitch is clamped. The
// player's sensitivity and invert setting are read every tick from `settings` (which must
// outlive the system; null: the defaults), so a change in the Options screen counts at once.
class CameraModificationMouseMovementSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraModificationMouseMovementSystem";
    CameraModificationMouseMovementSystem(ECS::EntityManager& manager, CameraInputSource input,
                                          const CameraMath::LookSettings* settings = nullptr);
    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    CameraInputSource input;
    const CameraMath::LookSettings* settings;
};

// Keyboard flight while enabled: 0.4 units per tick along the full view direction.
class FreeCamMovementSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "FreeCamMovementSystem";
    FreeCamMovementSystem(ECS::EntityManager& manager, CameraInputSource input);
    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    CameraInputSource input;
};

// Pan while enabled: the mouse drags the camera in its view plane.
class CameraMouseShiftMovementSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraMouseShiftMovementSystem";
    CameraMouseShiftMovementSystem(ECS::EntityManager& manager, CameraInputSource input);
    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    CameraInputSource input;
};

// Wheel while enabled: one unit along the view per notch.
class CameraMouseZoomMovementSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraMouseZoomMovementSystem";
    CameraMouseZoomMovementSystem(ECS::EntityManager& manager, CameraInputSource input);
    void processEntity(ECS::EntityId entity, float alpha) override;

private:
    CameraInputSource input;
};

// Keeps the camera's position at or above its minimum height.
class CameraZclampSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraZclampSystem";
    explicit CameraZclampSystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Circles the menu camera slowly around the map, working directly on the current camera data.
class CameraMenuAnimationSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraMenuAnimationSystem";
    explicit CameraMenuAnimationSystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Frame-time pass over every camera; cameras without angles keep their data as it is.
class CameraDeltaSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraDeltaSystem";
    explicit CameraDeltaSystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

// Frame-time view build: eye, centre and up from the transform and angles interpolated by the
// frame's alpha (yaw along the shorter arc); the projection is left as it is.
class CameraModificationDeltaSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "CameraModificationDeltaSystem";
    explicit CameraModificationDeltaSystem(ECS::EntityManager& manager);
    void processEntity(ECS::EntityId entity, float alpha) override;
};

} // namespace Game
