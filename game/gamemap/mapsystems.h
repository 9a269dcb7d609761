#pragma once
// Message handlers of the map: loading a map into the world and adding random blocks.
#include "engine/ecs/entitymanager.h"
#include "game/gamemap/gamemap.h"
#include "game/gamemap/mapmessages.h"

#include <functional>
#include <vector>

namespace Game {

// Replaces the map's blocks with those of each LoadMapMessage, in posting order: resets the
// editor's working data, destroys the current blocks, creates the new ones and sets
// rebuildPending. The player is not moved.
//
// A map that cannot fit the entity ids even once the current blocks are gone is refused whole
// before anything changes (console line; the map stays as it was). One that fits only after the
// current blocks' ids come free (they are released at the refresh) is created in the next
// update: the old blocks go now, the new ones follow one update later. The last load asked for
// wins: a load handled after it (in the same update or the next) drops the waiting map; a load
// refused for its size does not.
class LoadMapSystem : public ECS::MessageSystem<Message::LoadMapMessage> {
public:
    static constexpr const char* systemName = "LoadMapSystem";
    // Resets the editor's working data on the editor entity before the blocks are replaced: its
    // selection, its pending selection and its undo history, which named the old blocks;
    // installed by the game with the editor. Nothing is reset while it is empty.
    using EditorReset = std::function<void(ECS::EntityManager& world, ECS::EntityId editorEntity)>;
    // Told when a loaded map's blocks have been created: they enter the world at the next refresh.
    using Created = std::function<void()>;

    LoadMapSystem(ECS::EntityManager& world, GameMap& map, ECS::EntityId editorEntity, EditorReset resetEditor = {},
                  Created created = {});

    void processMessages(const std::vector<Message::LoadMapMessage>& messages) override;
    void onMessage(const Message::LoadMapMessage& message) override;

    // True while a loaded map waits for the next update to be created.
    bool hasDeferredLoad() const { return !deferred.empty(); }

private:
    void createQubes(const std::vector<Component::TransformComponent>& qubes);
    void createDeferred();

    ECS::EntityManager* world;
    GameMap* map;
    ECS::EntityId editorEntity;
    EditorReset resetEditor;
    Created created;
    std::vector<Component::TransformComponent> deferred;
    // `deferred` was put off in an earlier pass and no later load has replaced it yet.
    bool waitingFromLastPass = false;
    // Blocks destroyed during this pass: their ids come free at the coming refresh.
    size_t releasing = 0;
};

// Each CreateRandomMap message adds 150 random blocks and sets rebuildPending.
class CreateRandomMapMessageSystem : public ECS::MessageSystem<Message::CreateRandomMap> {
public:
    static constexpr const char* systemName = "CreateRandomMapMessageSystem";
    CreateRandomMapMessageSystem(ECS::EntityManager& world, GameMap& map);

    void onMessage(const Message::CreateRandomMap& message) override;

private:
    ECS::EntityManager* world;
    GameMap* map;
};

} // namespace Game
