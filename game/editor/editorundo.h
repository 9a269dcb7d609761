#pragma once
// Undo of the newest revision group of the editor's history.
#include "game/editor/editorscene.h"

namespace Game {

enum class UndoResult {
    nothing,        // the history is empty
    undone,         // the newest group was reversed and taken off the history
    tooManyBlocks,  // re-creating its blocks would not fit the entity ids: nothing changed
};

// Reverses the newest group, its revisions last first and each revision's entries in ascending
// order of the ids they were recorded under, printing each revision's console name first:
// destroy re-creates the blocks (under new ids, which keep their serials) and queues them for
// selection; create destroys the blocks; unselect queues the blocks for selection; select
// unselects them; modify puts the blocks back at their recorded places. Entries whose block no
// longer exists, or that are already in the state undo would give them, are skipped. Sets
// rebuildPending when blocks were created, destroyed or moved. A group whose re-created blocks
// and their selection copies would not all fit the entity ids is refused whole and stays in the
// history.
UndoResult undoNewestGroup(EditorScene& scene);

} // namespace Game
