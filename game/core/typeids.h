#pragma once
// The one list of component and message type ids of the game. Every component struct takes its
// `_cType` from here and every message struct its `_mType`, so two types can never share an id
// by accident. A new type gets a new constant here first.
#include "engine/ecs/ecstypes.h"

namespace ECS {

namespace ComponentId {
inline constexpr ComponentType Transform = 1;
inline constexpr ComponentType FreeCamMovement = 2;
inline constexpr ComponentType Item = 3;
inline constexpr ComponentType Physics = 4;
inline constexpr ComponentType RotationAnimation = 5;
inline constexpr ComponentType CollisionCallback = 6;
inline constexpr ComponentType Health = 7;
inline constexpr ComponentType Projectile = 8;
inline constexpr ComponentType CameraMouseShift = 9;
inline constexpr ComponentType CameraMouseZoomMove = 10;
inline constexpr ComponentType CameraZclamp = 11;
inline constexpr ComponentType CameraMouseMovement = 12;
inline constexpr ComponentType CameraModification = 13;
inline constexpr ComponentType CharacterController = 14;
inline constexpr ComponentType Mesh = 15;
inline constexpr ComponentType GridMaskMesh = 16;
inline constexpr ComponentType PhysicsRigidBody = 17;
inline constexpr ComponentType PhysicsCollider = 18;
inline constexpr ComponentType AiShoot = 19;
inline constexpr ComponentType Camera = 20;
inline constexpr ComponentType MenuCameraAnimation = 21;
inline constexpr ComponentType EditorData = 22;
inline constexpr ComponentType UIBackground = 23;
inline constexpr ComponentType UISprite = 24;
inline constexpr ComponentType UIblocker = 25;
inline constexpr ComponentType UItext = 26;
inline constexpr ComponentType UItextInput = 27;
inline constexpr ComponentType UIclickable = 28;
inline constexpr ComponentType UIfileBrowser = 29;
} // namespace ComponentId

namespace MessageId {
inline constexpr MessageType CreateRandomMap = 2;
inline constexpr MessageType LoadMap = 3;
inline constexpr MessageType CreateOKpopup = 4;
inline constexpr MessageType PhysicsColliderShapeChange = 5;
inline constexpr MessageType UIfileBrowserRefresh = 6;
} // namespace MessageId

} // namespace ECS
