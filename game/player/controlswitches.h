#pragma once
// Who is in control: the player (character movement and mouse look) or the editor camera
// (mouse look, keyboard flight, wheel zoom). The game controller, the menus and the editor switch
// these when the game changes state.
#include "engine/ecs/ecstypes.h"

#include <glm/vec3.hpp>

namespace ECS {
class EntityManager;
}

namespace Game {

// Enables or disables the entity's CharacterControllerComponent and CameraMouseMovementComponent,
// each where present.
void setPlayerControl(ECS::EntityManager& world, ECS::EntityId entity, bool enabled);

// Enables or disables the entity's CameraMouseMovementComponent, FreeCamMovementComponent and
// CameraMouseZoomMoveComponent, each where present.
void setEditorCameraControl(ECS::EntityManager& world, ECS::EntityId entity, bool enabled);

// Sets the previous-tick copies of the entity's transform, camera angles and camera data to the
// current ones, so that the next frames do not interpolate across a change of control.
void clearCameraPendingChange(ECS::EntityManager& world, ECS::EntityId entity);

// Puts the player's body at `position` (the capsule's centre) at rest, off the rope, looking at
// `yaw` and `pitch` degrees, and its transform there without interpolation from where it was.
void placePlayer(ECS::EntityManager& world, ECS::EntityId player, const glm::vec3& position, float yaw, float pitch);

// True when the entity has a CharacterControllerComponent that is enabled (player control).
bool hasPlayerControl(ECS::EntityManager& world, ECS::EntityId entity);

} // namespace Game
