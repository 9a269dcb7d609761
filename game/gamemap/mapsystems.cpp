#include "game/gamemap/mapsystems.h"

#include "engine/core/log.h"

#include <string>

namespace Game {

LoadMapSystem::LoadMapSystem(ECS::EntityManager& world, GameMap& map, ECS::EntityId editorEntity,
                             EditorReset resetEditor)
    : world(&world)
    , map(&map)
    , editorEntity(editorEntity)
    , resetEditor(std::move(resetEditor))
{
}

void LoadMapSystem::processMessages(const std::vector<Message::LoadMapMessage>& messages)
{
    // A newer map replaces one still waiting; otherwise the refresh since the last pass has
    // released the old blocks' ids and the waiting map can be created now.
    if (!deferred.empty() && messages.empty()) {
        createQubes(deferred);
        deferred.clear();
        map->rebuildPending = true;
        return;
    }
    deferred.clear();
    releasing = 0;
    MessageSystem::processMessages(messages);
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

void LoadMapSystem::createQubes(const std::vector<Component::TransformComponent>& qubes)
{
    for (const Component::TransformComponent& qube : qubes)
        map->addQube(*world, qube);
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
