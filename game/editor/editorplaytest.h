#pragma once
// Play-testing from the editor: the player starts on foot where the editor camera stands, looking
// the same way, with the pointer captured; ending it gives the view back to the editor camera.
#include "engine/core/mousestate.h"
#include "game/core/gamestaterecord.h"
#include "game/editor/editorcamera.h"
#include "game/editor/editorhost.h"

namespace Game {

class EditorPlayTest {
public:
    EditorPlayTest(ECS::EntityManager& world, ECS::EntityId player, EditorCamera& camera, GameStateRecord& state,
                   EditorHost& host);

    // The player can play-test at all (it has a character controller).
    bool available();
    bool active();
    // Whatever the editor had in progress must have ended first.
    void start(Engine::MouseState& mouse);
    void stop(Engine::MouseState& mouse);

private:
    void placePlayerAtCamera();

    ECS::EntityManager* world;
    ECS::EntityId player;
    EditorCamera* camera;
    GameStateRecord* state;
    EditorHost* host;
};

} // namespace Game
