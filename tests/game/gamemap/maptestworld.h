#pragma once
// A world as the game sets it up for its map: the ECS with transforms, colliders, rigid bodies
// and the map messages registered, the physics world with the systems that put bodies into it,
// and the two map message handlers.
#include "engine/ecs/entitymanager.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapsystems.h"
#include "game/physics/physicscomponents.h"
#include "game/physics/physicssystems.h"
#include "game/physics/physicsworld.h"
#include "game/transform/transformcomponent.h"

#include <memory>

namespace MapTest {

struct World {
    GamePhysics::PhysicsWorld physics;
    Game::GameMap map;
    ECS::EntityManager ecs;
    ECS::EntityId editorEntity = ECS::InvalidEntity;
    int editorResets = 0;
    Game::LoadMapSystem* loadMapSystem = nullptr;

    World()
    {
        ecs.registerComponent<Component::TransformComponent>();
        ecs.registerComponent<Component::PhysicsColliderComponent>();
        ecs.registerComponent<Component::PhysicsRigidBodyComponent>();
        ecs.registerMessage<Message::LoadMapMessage>();
        ecs.registerMessage<Message::CreateRandomMap>();
        ecs.addSystem(GamePhysics::RigidBodyColliderSystem(ecs, physics));
        ecs.addSystem(GamePhysics::PhysicsMotionStateSystem(ecs, physics));
        editorEntity = ecs.createEntity();
        loadMapSystem = ecs.addMessageSystem(Game::LoadMapSystem(ecs, map, editorEntity, [this](ECS::EntityManager&, ECS::EntityId id) {
            if (id == editorEntity)
                ++editorResets;
        }));
        ecs.addMessageSystem(Game::CreateRandomMapMessageSystem(ecs, map));
        ecs.refresh();
    }

    ~World()
    {
        // Bodies leave the physics world through the systems before it goes.
        map.clear(ecs);
        ecs.destroyAllEntities();
        ecs.refresh();
    }

    // One game update as far as the map is concerned: messages, then the refresh.
    void update()
    {
        ecs.processMessages();
        ecs.refresh();
    }

    Component::TransformComponent& transform(ECS::EntityId id)
    {
        return ecs.getComponent<Component::TransformComponent>(id);
    }
};

inline Component::TransformComponent transformOf(glm::vec3 position, glm::vec3 scale, glm::quat rotation)
{
    Component::TransformComponent t;
    t.position = position;
    t.scale = scale;
    t.rotation = rotation;
    t.copyToPrevious();
    return t;
}

} // namespace MapTest
