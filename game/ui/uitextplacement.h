#pragma once
// Where a UI text is drawn inside its element: aligned in the rectangle, moved by its offset and,
// while a clipped field is being edited, pushed left so that the end of the typed text stays in
// view. The caret is placed from the same point. A text too wide for its place is shortened.
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <glm/vec2.hpp>

#include <string>

namespace UI {

// The point at which the text mesh is drawn (its first line's top-left corner), in window pixels.
glm::vec2 textOrigin(const Component::TransformComponent& element, const Component::UItextComponent& text,
                     bool beingEdited);

// `text` as it fits into `maxWidth` pixels in `font`: whole when it fits, else shortened with
// "..." at the front (`keepEnd`: a deep folder's path keeps the part that tells where the user
// is) or at the back (a long file name keeps its beginning).
std::string fitText(const Engine::GFX::Font& font, const std::string& text, float maxWidth, bool keepEnd);

} // namespace UI
