#pragma once
// The game's ECS world as the controller sets it up: every component and message type, every
// component system in its fixed order, the order in which the systems run each update, and the
// entities every run starts with.
#include "engine/config/inputbinding.h"
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameramath.h"

#include <glm/vec2.hpp>

#include <vector>

namespace Engine {
class EngineCore;
}
namespace GamePhysics {
class PhysicsWorld;
}

namespace Game {

class RenderResources;
struct CameraData;

// The entities every run starts with.
struct StartEntities {
    ECS::EntityId menuCamera = ECS::InvalidEntity;
    ECS::EntityId editorCamera = ECS::InvalidEntity;
    ECS::EntityId player = ECS::InvalidEntity;
    // Carries the editor's working data (selection, history, tool).
    ECS::EntityId editor = ECS::InvalidEntity;
};

// The menu camera, the editor camera, the player (out of control, its body in `physics`) and the
// editor's entity, each camera made from `cameraPrototype`; logs "Player ID:<id>".
StartEntities createStartEntities(ECS::EntityManager& world, const CameraData& cameraPrototype,
                                  GamePhysics::PhysicsWorld& physics);
// The static floor plane z = 0 in the floor collision group; logs "FLOOR ID:<id>".
ECS::EntityId createFloor(ECS::EntityManager& world);

// Registers the component types 1 to 21 and the message types of the physics and map layers.
// The editor registers its EditorDataComponent (22), the UI layer its types (23 to 29) and the
// menus their message (4) when they are created.
void registerGameTypes(ECS::EntityManager& world);

// Adds the component systems in their fixed order, then the physics message handler. The
// drives read the engine's input snapshots of the current step; the mouse look reads `look` and
// the player's drive `bindings` (both must outlive the world) every tick.
void addGameSystems(ECS::EntityManager& world, Engine::EngineCore& engine, GamePhysics::PhysicsWorld& physics,
                    RenderResources& resources, const CameraMath::LookSettings& look, const Engine::Bindings& bindings);

// Gives the camera prototype and every camera of `world` (now, previous and spare) the
// perspective of a `size` drawable with a vertical `fieldOfView` in degrees.
void setEveryPerspective(ECS::EntityManager& world, CameraData& prototype, glm::ivec2 size, float fieldOfView);

// The systems one update runs, in order (with alpha 0), before the messages are handled. The UI
// layer's systems are among them, so the UI layer must exist. The pointer-over-UI check is not:
// the controller runs it before the per-state input, so the editor reads this update's answer.
std::vector<ECS::ComponentSystem*> updateSchedule(ECS::EntityManager& world);

} // namespace Game
