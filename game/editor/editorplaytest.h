#pragma once
// Play-testing from the editor: the player starts on foot in the course's start gate, facing the
// way it faces, or without a start where the editor camera stands, looking the same way; the
// pointer is captured. Ending it gives the view back to the editor camera.
#include "engine/core/mousestate.h"
#include "game/core/gamestaterecord.h"
#include "game/course/course.h"
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
    void start(Engine::MouseState& mouse, const Course& course);
    void stop(Engine::MouseState& mouse);

private:
    void placePlayerAtCamera();
    // The player at the centre of the start gate, looking level along its facing.
    void placePlayerAtStart(const Gate& start);

    ECS::EntityManager* world;
    ECS::EntityId player;
    EditorCamera* camera;
    GameStateRecord* state;
    EditorHost* host;
};

} // namespace Game
