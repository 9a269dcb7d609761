#pragma once
// The editor's commands that only gates have: "+ Add" of a start or finish that the course has
// already (it selects that one instead), a checkpoint's number changed with + and − or with the
// wheel over it, and the order in which several checkpoints are destroyed and brought back, so
// that each keeps its number.
#include "engine/core/mousestate.h"
#include "game/editor/editorhost.h"
#include "game/editor/editorscene.h"
#include "game/editor/editorselector.h"

#include <vector>

namespace Game {

class EditorGateTools {
public:
    static constexpr const char* kHasStartText = "The course has a start already:\nit is selected.";
    static constexpr const char* kHasFinishText = "The course has a finish already:\nit is selected.";

    EditorGateTools(EditorScene& scene, EditorSelector& selector, EditorHost& host);

    // For "+ Add" of a start or finish: when the course has one, selects it (recorded), says so
    // and answers true; false when a new one may be placed.
    bool selectExisting(GateKind kind);
    // The checkpoint that is the only checkpoint selected, or ECS::InvalidEntity.
    ECS::EntityId selectedCheckpoint();
    // Moves the selected checkpoint `steps` places later in the order (earlier when negative),
    // recording the change; false when nothing changed.
    bool renumber(int steps);
    // + and − (`steps`), and the wheel while the pointer is over the selected checkpoint, which
    // then turns no camera zoom (the wheel is taken from `mouse`).
    void numberInput(int steps, Engine::MouseState& mouse);

    // `items` in the order to destroy them: blocks and starts and finishes as given, then the
    // checkpoints from the highest number down, so that each remembers the number it had.
    static std::vector<ECS::EntityId> destroyOrder(const EditorScene& scene, std::vector<ECS::EntityId> items);

private:
    EditorScene* scene;
    EditorSelector* selector;
    EditorHost* host;
};

} // namespace Game
