#pragma once
// Selecting blocks and gates with the pointer: a click picks the block under it (Shift adds or takes away),
// and a left drag from empty space draws a box that selects the blocks whose centres lie inside.
// Every change of the selection is recorded in the history.
#include "engine/core/mousestate.h"
#include "game/editor/editorcamera.h"
#include "game/editor/editorhost.h"
#include "game/editor/editorscene.h"

#include <set>

namespace GamePhysics {
class PhysicsWorld;
} // namespace GamePhysics

namespace Game {

class EditorSelector {
public:
    // A left drag from empty space shorter than this (pixels, along either axis) stays a click.
    static constexpr int kBoxThreshold = 4;

    EditorSelector(EditorScene& scene, GamePhysics::PhysicsWorld& physics, EditorCamera& camera, EditorHost& host);

    // The live block or gate the pointer ray meets first, or ECS::InvalidEntity.
    ECS::EntityId blockUnderPointer(const Engine::MouseState& mouse);
    void click(const Engine::MouseState& mouse, bool additive);
    // Unselects every block, recording it.
    void unselectAll();

    // A left press on empty space arms a box selection, which starts once the pointer has moved
    // far enough with the button held and ends at the release.
    void armBox(const Engine::MouseState& mouse);
    void followBox(const Engine::MouseState& mouse);
    void finishBox(const Engine::MouseState& mouse, bool additive);

private:
    // The live blocks whose centres the camera shows inside the box between the two window pixels.
    std::set<ECS::EntityId> blocksInside(const glm::vec2& corner, const glm::vec2& opposite);

    EditorScene* scene;
    GamePhysics::PhysicsWorld* physics;
    EditorCamera* camera;
    EditorHost* host;
};

} // namespace Game
