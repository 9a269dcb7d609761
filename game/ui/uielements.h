#pragma once
// The operations that make UI elements in the world. Like every structural change, the new
// components become visible at the next refresh of the world.
#include "engine/ecs/entitymanager.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uipalette.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>
#include <functional>
#include <string_view>

namespace UI {

inline constexpr glm::vec4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
// Colour of a blocker: the window behind a modal pop-up is dimmed.
inline constexpr glm::vec4 kBlockerColor{0.0f, 0.0f, 0.0f, 0.4f};

// How many entities can be created now (every id below ECS::EntityIdLimit that is not live).
uint32_t freeEntityIds(const ECS::EntityManager& world);
// A UI piece of `elements` entities is made whole or not at all: true when they all fit now,
// otherwise false after a console line naming `what`.
bool roomFor(const ECS::EntityManager& world, uint32_t elements, std::string_view what);

// A new element covering `size` pixels from `position` (bottom-left corner) with a background.
// One that ignores the pointer is only drawn: it never takes part in pointer tests.
ECS::EntityId createBackground(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                               const Engine::GFX::Texture2D* texture, glm::vec4 color, bool ignoresPointer = false);

// createBackground plus a text on the same layer, vertically centred.
ECS::EntityId createTextElement(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                                const Engine::GFX::Texture2D* backgroundTexture, glm::vec4 backgroundColor,
                                const Engine::GFX::Font& font, glm::vec4 textColor, std::string_view text,
                                uint32_t alignX, glm::vec2 offset);

// Adds a horizontally and vertically centred text to an existing element.
void addText(ECS::EntityManager& world, ECS::EntityId entity, uint32_t layer, const Engine::GFX::Font& font,
             std::string_view text, glm::vec4 color = kWhite, glm::vec2 offset = glm::vec2(0.0f));

// Adds an image drawn at its pixel size, aligned in the element; `layer` should be the element's
// background layer, in whose pass sprites are drawn.
void addSprite(ECS::EntityManager& world, ECS::EntityId entity, const Engine::GFX::Texture2D* texture,
               uint32_t alignX, uint32_t alignY, glm::vec2 offset, uint32_t layer);

// How a button looks and ranks: `texture` is its background at rest, hovered and pressed, tinted
// with the three colours; `priority` is its weight among the elements under the pointer.
struct ButtonStyle {
    const Engine::GFX::Texture2D* texture = nullptr;
    glm::vec4 color = Palette::transparent;
    glm::vec4 hoverColor = Palette::hoverTint;
    glm::vec4 pressedColor = Palette::pressedTint;
    int32_t priority = 1;
    // Each press that reached the click's step acts (see UIclickableComponent::countsEveryPress).
    bool countsEveryPress = false;
};

// What a button shows, centred in it: with a `font`, `text` on `textLayer` (the button's own layer
// when negative); with an `icon`, that image at its pixel size.
struct ButtonFace {
    const Engine::GFX::Font* font = nullptr;
    std::string_view text;
    glm::vec4 textColor = kWhite;
    int32_t textLayer = -1;
    const Engine::GFX::Texture2D* icon = nullptr;

    static ButtonFace iconOnly(const Engine::GFX::Texture2D* image)
    {
        ButtonFace face;
        face.icon = image;
        return face;
    }
};

// The one maker of the game's buttons: an element of `size` pixels at `position` on `layer` with
// the style's background, the face, and a clickable that runs `action`. An empty action gives a
// button that shows its states but does nothing. Answers ECS::InvalidEntity when no id is free.
ECS::EntityId createButton(ECS::EntityManager& world, int32_t layer, glm::vec2 position, glm::vec2 size,
                           const ButtonStyle& style, const ButtonFace& face, std::function<void()> action);

// Makes the element a button that tints its background with `hoverColor` and `pressedColor`.
void addClickable(ECS::EntityManager& world, ECS::EntityId entity, int32_t priority, std::function<void()> callback,
                  const Engine::GFX::Texture2D* backgroundHover, const Engine::GFX::Texture2D* backgroundPressed,
                  glm::vec4 hoverColor, glm::vec4 pressedColor);

// A dimmed backdrop from (0, 0) over `width` x `height` pixels (the window) that makes every
// element it covers inert, for modal pop-ups.
ECS::EntityId createBlocker(ECS::EntityManager& world, int32_t layer, const Engine::GFX::Texture2D* texture,
                            float width, float height);
// True while any such backdrop exists: a pop-up is open.
bool popupOpen(ECS::EntityManager& world);

// Starts editing the element's text (the click action of an editable field): gives it the focus
// marker unless it has one, and freezes its button state while it is edited. `onChange` runs
// whenever typing changes the text.
void beginTextInput(ECS::EntityManager& world, ECS::EntityId entity, Component::UItextInputComponent::Filter filter,
                    std::function<void()> onCancel, std::function<void()> onConfirm,
                    std::function<void()> onChange = {});

// Destroys the element unless it is already gone or on its way out (pop-ups hold their elements'
// ids, and something else may have removed them first).
void destroyElement(ECS::EntityManager& world, ECS::EntityId entity);

} // namespace UI
