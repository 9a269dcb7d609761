#pragma once
// What the per-state handlers, the menus and the editor reach the game through, filled by the
// controller at the end of its start-up.
#include "engine/ecs/ecstypes.h"

namespace Engine {
class EngineCore;
}
namespace Engine::GFX {
class RenderContext;
}
namespace ECS {
class EntityManager;
}
namespace GamePhysics {
class PhysicsWorld;
}

namespace Game {

class GameMap;
class Menu;
class MenuBuilder;
class RenderResources;
struct GameStateRecord;

struct UpdateContext {
    GameStateRecord* state = nullptr;
    ECS::EntityManager* world = nullptr;
    RenderResources* resources = nullptr;
    Engine::GFX::RenderContext* renderContext = nullptr;
    Engine::EngineCore* engine = nullptr;
    GameMap* map = nullptr;
    Menu* menu = nullptr;
    MenuBuilder* menuBuilder = nullptr;
    ECS::EntityId menuCameraEntity = ECS::InvalidEntity;
    ECS::EntityId editorCameraEntity = ECS::InvalidEntity;
    ECS::EntityId playerEntity = ECS::InvalidEntity;
    ECS::EntityId editorEntity = ECS::InvalidEntity;
    GamePhysics::PhysicsWorld* physics = nullptr;
};

} // namespace Game
