#pragma once
// Where a UI text is drawn inside its element: aligned in the rectangle, moved by its offset and,
// while a clipped field is being edited, pushed left so that the end of the typed text stays in
// view. The caret is placed from the same point.
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <glm/vec2.hpp>

namespace UI {

// The point at which the text mesh is drawn (its first line's top-left corner), in window pixels.
glm::vec2 textOrigin(const Component::TransformComponent& element, const Component::UItextComponent& text,
                     bool beingEdited);

} // namespace UI
