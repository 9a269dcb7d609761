#pragma once
// Undo and redo of the newest revision group of the editor's history.
#include "game/editor/editorscene.h"

namespace Game {

enum class UndoResult {
    nothing,        // there is nothing to undo (or redo)
    undone,         // the group was carried out and moved to the other stack
    tooManyBlocks,  // re-creating its blocks would not fit the entity ids: nothing changed
};

// Reverses the newest group of the undo stack, its revisions last first and each revision's
// entries in ascending order of the ids they were recorded under, printing each revision's
// console name first: destroy re-creates the blocks and gates (under new ids, which keep their
// serials; a gate as the kind and number it was)
// and queues them for selection; create destroys the blocks; unselect queues the blocks for
// selection; select unselects them; modify puts the blocks back at their recorded places;
// renumber gives checkpoints back their recorded numbers. Entries
// whose block no longer exists, or that are already in the state undo would give them, are
// skipped. Sets rebuildPending when blocks were created, destroyed or moved. The group that
// reverses what was done goes on the redo stack. A group whose re-created blocks and their
// selection copies would not all fit the entity ids is refused whole and stays where it was.
UndoResult undoNewestGroup(EditorScene& scene);

// Carries out again the newest undone group, in the order it was first done, printing
// "REV REDO " and the revision's name per revision; the group that reverses it goes back on the
// undo stack. Otherwise as undoNewestGroup.
UndoResult redoNewestGroup(EditorScene& scene);

} // namespace Game
