#pragma once
// Keeping the UI in place when the window changes size. The screens in the Menu are built again
// by their builders; what lies over them (OK pop-ups, confirm dialogs) is centred in the window
// when it is made, and is moved here so that it stays centred, with its blocker stretched over
// the whole new window. The file browser then lays itself out anew (FileBrowser::relayout).
#include "engine/ecs/ecstypes.h"

#include <glm/vec2.hpp>

#include <functional>

namespace ECS {
class EntityManager;
}

namespace UI {

// Moves every UI element for which `rebuilt` answers false by the shift of the window's centre
// from a window of `from` to one of `to` pixels (the centre being the window size halved and
// rounded down, as the pop-ups place themselves), and makes every such blocker cover the new
// window.
void recentreOverlays(ECS::EntityManager& world, glm::ivec2 from, glm::ivec2 to,
                      const std::function<bool(ECS::EntityId)>& rebuilt);

} // namespace UI
