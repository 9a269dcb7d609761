#pragma once
// What the file browser's own files share: the sizes of its buttons, its list area, the looks of
// its elements and access to a live browser. Not for the browser's callers.
#include "engine/ecs/entitymanager.h"
#include "game/filebrowser/uifilebrowsercomponent.h"
#include "game/ui/uielements.h"

#include <glm/vec2.hpp>

#include <string>

namespace UI::FileBrowser {

inline constexpr glm::vec2 kButtonSize{128.0f, 32.0f};
inline constexpr glm::vec2 kIconButtonSize{32.0f, 32.0f};

// The list area of a browser at `position`, `size` pixels: where the first entry lies, how many
// entries a page holds and where the page's list ends.
void layOutList(Component::UIfileBrowserComponent& b, glm::vec2 position, glm::vec2 size);

// The browser's component, or nullptr when `browser` has none or is being destroyed.
Component::UIfileBrowserComponent* browserOf(ECS::EntityManager& world, ECS::EntityId browser);
// Destroys the element, if any, and clears the id that named it.
void destroyAndForget(ECS::EntityManager& world, ECS::EntityId& element);

// An entry, the CANCEL button and the file name field: grey, or green when chosen.
ButtonStyle entryStyle(const Component::UIfileBrowserComponent& b, bool chosen);
// The transparent buttons that show an icon: path back, previous and next page.
ButtonStyle iconStyle(const Component::UIfileBrowserComponent& b);
// A left-aligned text `offset` pixels into the element, clipped to it.
void addLeftText(ECS::EntityManager& world, ECS::EntityId element, const Component::UIfileBrowserComponent& b,
                 const std::string& text, float offset, glm::vec4 color);

} // namespace UI::FileBrowser
