#pragma once
// Entity ids that the editor keeps free for its own UI. Blocks, their selection copies and
// preview blocks never take them, so that a pop-up, a question, the file browser or the help can
// always be made whole, however full the map, and the user always has a way out.
#include "game/editor/editorhelp.h"
#include "game/editor/editortopbar.h"
#include "game/editor/selectionboxview.h"
#include "game/filebrowser/filebrowser.h"
#include "game/menu/menubuilder.h"

#include <cstdint>

namespace Game::UiIdReserve {

// What can stand at once over the editor: the help, the "+ Add" drop-down, a box selection's
// rectangle, the file browser, two pop-ups and two questions (one closing as the next opens,
// "Too many blocks." or the window's close question over them).
inline constexpr std::uint32_t kStanding = EditorHelp::kElements + EditorTopBar::kAddDropdownElements
                                         + SelectionBoxView::kElements + UI::FileBrowser::kMaxElements
                                         + 2 * MenuBuilder::kOKpopupElements
                                         + 2 * MenuBuilder::kConfirmDialogElements;
// Made anew in one update before the old elements' ids come free at the refresh: a new window
// size lays out the top bar, the help and the browser again.
inline constexpr std::uint32_t kRemade = EditorTopBar::kElements + EditorHelp::kElements + UI::FileBrowser::kMaxElements;
// Room left for what the count above does not foresee.
inline constexpr std::uint32_t kHeadroom = 32;

inline constexpr std::uint32_t kIds = 196;
static_assert(kIds >= kStanding + kRemade + kHeadroom, "the UI id reserve covers the editor's UI");

} // namespace Game::UiIdReserve
