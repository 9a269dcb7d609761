#pragma once
// The colours the game's screens share, so that the menus, pop-ups, the Options screen, the file
// browser and the editor's top bar look like one program.
#include <glm/vec4.hpp>

namespace UI::Palette {

inline constexpr glm::vec4 transparent{0.0f, 0.0f, 0.0f, 0.0f};
// Menu columns, bars, panels and pop-up boxes: black at 90 %.
inline constexpr glm::vec4 panel{0.0f, 0.0f, 0.0f, 0.9f};
// Laid over a button while the pointer is on it, and while it is held down.
inline constexpr glm::vec4 hoverTint{0.5f, 0.5f, 0.5f, 0.5f};
inline constexpr glm::vec4 pressedTint{0.0f, 0.0f, 0.0f, 0.5f};

} // namespace UI::Palette
