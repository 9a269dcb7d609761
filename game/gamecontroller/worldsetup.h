#pragma once
// The game's ECS world as the controller sets it up: every component and message type, every
// component system in its fixed order, and the order in which the systems run each update.
#include "engine/ecs/entitymanager.h"
#include "game/camera/cameramath.h"

#include <vector>

namespace Engine {
class EngineCore;
}
namespace GamePhysics {
class PhysicsWorld;
}

namespace Game {

class RenderResources;

// Registers the component types 1 to 21 and the message types of the physics and map layers.
// The editor registers its EditorDataComponent (22), the UI layer its types (23 to 29) and the
// menus their message (4) when they are created.
void registerGameTypes(ECS::EntityManager& world);

// Adds the component systems in their fixed order, then the physics message handler. The
// drives read the engine's input snapshots of the current step; the mouse look reads `look`
// (which must outlive the world) every tick.
void addGameSystems(ECS::EntityManager& world, Engine::EngineCore& engine, GamePhysics::PhysicsWorld& physics,
                    RenderResources& resources, const CameraMath::LookSettings& look);

// The systems one update runs, in order (with alpha 0), before the messages are handled. The UI
// layer's systems are among them, so the UI layer must exist. The pointer-over-UI check is not:
// the controller runs it before the per-state input, so the editor reads this update's answer.
std::vector<ECS::ComponentSystem*> updateSchedule(ECS::EntityManager& world);

} // namespace Game
