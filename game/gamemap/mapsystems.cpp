#include "game/gamemap/mapsystems.h"

#include "engine/core/log.h"

#include <string>

namespace Game {

LoadMapSystem::LoadMapSystem(ECS::EntityManager& world, GameMap& map, ECS::EntityId editorEntity,
                             EditorReset resetEditor, Created created)
    : world(&world)
    , map(&map)
    , editorEntity(editorEntity)
    , resetEditor(std::move(resetEditor))
    , created(std::move(created))
{
}

void LoadMapSystem::processMessages(const std::vector<Message::LoadMapMessage>& messages)
{
    // A map waiting from the last pass can be created now: the refresh since has released the
    // old blocks' ids. A later load the user asked for replaces it (onMessage drops it).
    waitingFromLastPass = !deferred.empty();
    releasing = 0;
    MessageSystem::processMessages(messages);
    if (waitingFromLastPass)
        createDeferred();
}

void LoadMapSystem::onMessage(const Message::LoadMapMessage& message)
{
    const size_t count = message.qubes.size();
    const size_t currentQubes = map->qubeIDs.size();
    const size_t freeAfterClear = GameMap::freeQubeSlots(*world) + currentQubes + releasing;
    if (count > freeAfterClear) {
        Engine::logLine("MAP NOT LOADED: " + std::to_string(count) + " blocks do not fit, room for "
                        + std::to_string(freeAfterClear));
        return;
    }
    deferred.clear();
    waitingFromLastPass = false;
    if (resetEditor)
        resetEditor(*world, editorEntity);
    map->clear(*world);
    releasing += currentQubes;
    if (count <= GameMap::freeQubeSlots(*world))
        createQubes(message.qubes);
    else
        deferred = message.qubes;
    map->rebuildPending = true;
}

void LoadMapSystem::createDeferred()
{
    // Entities made since the map was put off may have taken the ids it was counting on.
    if (deferred.size() <= GameMap::freeQubeSlots(*world))
        createQubes(deferred);
    else
        Engine::logLine("MAP NOT LOADED: " + std::to_string(deferred.size()) + " blocks do not fit, room for "
                        + std::to_string(GameMap::freeQubeSlots(*world)));
    deferred.clear();
    map->rebuildPending = true;
}

void LoadMapSystem::createQubes(const std::vector<Component::TransformComponent>& qubes)
{
    for (const Component::TransformComponent& qube : qubes)
        map->addQube(*world, qube);
    if (created)
        created();
}

CreateRandomMapMessageSystem::CreateRandomMapMessageSystem(ECS::EntityManager& world, GameMap& map)
    : world(&world)
    , map(&map)
{
}

void CreateRandomMapMessageSystem::onMessage(const Message::CreateRandomMap&)
{
    generateRandomMap(*world, *map);
    map->rebuildPending = true;
}

} // namespace Game
