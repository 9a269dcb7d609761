#pragma once
// The components that make an entity a UI element. An element is an entity with a
// TransformComponent holding its window rectangle (position x, y = bottom-left corner in pixels
// from the bottom-left of the window; scale x, y = width and height) plus a look (background,
// sprite, text) and a behaviour (clickable, text input, blocker).
#include "engine/ecs/component.h"
#include "game/core/typeids.h"
#include "engine/gfx/textmesh.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace Engine::GFX {
class Font;
class Texture2D;
} // namespace Engine::GFX

namespace ECS {
class EntityManager;
}

namespace UI {

// Number of draw layers; layer 9 covers everything below it.
inline constexpr uint32_t kLayerCount = 10;

// Horizontal alignment of a text or sprite inside its element.
enum AlignX : uint32_t { AlignLeft = 0, AlignCentreX = 1, AlignRight = 2 };
// Vertical alignment of a text or sprite inside its element.
enum AlignY : uint32_t { AlignTop = 0, AlignCentreY = 1, AlignBottom = 2 };

// State of a clickable element.
enum ClickState : uint32_t { Hovered = 0, Pressed = 1, Idle = 2 };
// When a clickable fires.
enum ClickMode : uint32_t { OnRelease = 0, OnPress = 1 };

// Registers the six UI component types (ids 23 to 28) with `world`.
void registerUiComponents(ECS::EntityManager& world);

} // namespace UI

namespace Component {

// A textured, tinted rectangle filling the element. Its layer is also the element's weight when a
// click is resolved.
struct UIBackgroundComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UIBackground;

    UIBackgroundComponent(const Engine::GFX::Texture2D* texture, int32_t layer, glm::vec4 color);

    const Engine::GFX::Texture2D* texture; // not owned; never null
    int32_t layer;
    glm::vec4 color; // alpha 0 or less: not drawn
    // Drawn only: the pointer passes through it as if it were not there (set before the element
    // joins the world).
    bool ignoresPointer = false;
};

// An image drawn at its own pixel size inside the element, in the pass of the element's
// background layer (a sprite element always has a background).
struct UISpriteComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UISprite;

    UISpriteComponent(const Engine::GFX::Texture2D* texture, uint32_t alignX, uint32_t alignY, glm::vec2 offset,
                      uint32_t layer);

    glm::vec4 color{1.0f}; // kept for callers; drawing uses white
    uint32_t alignX;
    uint32_t alignY;
    glm::vec2 offset; // pixels added after alignment
    const Engine::GFX::Texture2D* texture; // not owned; never null
    uint32_t layer;
};

// Marks a modal pop-up's backdrop: while one exists the editor ignores the 3-D view, and the
// elements it covers take no clicks.
struct UIblockerComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UIblocker;
};

// A line or block of text, laid out once whenever it is set.
struct UItextComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UItext;

    // `font` is not owned and must outlive the component.
    UItextComponent(uint32_t layer, std::string_view text, const Engine::GFX::Font& font, glm::vec4 color,
                    uint32_t alignX, glm::vec2 offset);

    // Replaces the text and lays it out again. Bytes that are not UTF-8 are kept as they are and
    // shown as U+FFFD.
    void setText(std::string_view newText);

    std::string text;
    const Engine::GFX::Font* font;
    Engine::GFX::TextMesh textMesh;
    uint32_t alignX;
    uint32_t alignY = UI::AlignCentreY;
    glm::vec4 color;
    bool clipToBox = false;    // cut the text at the element's rectangle shrunk by clipPadding
    glm::vec2 clipPadding{0.0f};
    glm::vec2 offset;
    uint32_t layer;
};

// Present only while its element is being edited (the focus marker).
struct UItextInputComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UItextInput;

    // Longest text a field takes, in UTF-8 bytes: the longest file name the usual file systems
    // store. Typing beyond it is refused.
    static constexpr std::size_t kMaxTextBytes = 255;

    // Decides for each typed code point, given the text so far, whether it is taken.
    using Filter = std::function<bool(const std::string& textSoFar, uint32_t codePoint)>;

    UItextInputComponent(Filter filter, std::function<void()> onCancel, std::function<void()> onConfirm);

    Filter filter;              // empty: every code point is taken
    std::string originalText;   // the text when editing began; restored by Escape
    std::function<void()> onConfirm; // Return ended the edit; may be empty
    std::function<void()> onCancel;  // Escape ended the edit; may be empty
    std::function<void()> onChange;  // typing or Backspace changed the text; may be empty
};

// Makes the element a button.
struct UIclickableComponent : ECS::Component {
    static constexpr ECS::ComponentType _cType = ECS::ComponentId::UIclickable;

    // Neither texture may be null.
    UIclickableComponent(int32_t priority, std::function<void()> callback,
                         const Engine::GFX::Texture2D* backgroundHover,
                         const Engine::GFX::Texture2D* backgroundPressed);

    uint32_t state = UI::Idle;
    uint32_t clickMode = UI::OnRelease;
    bool stateLocked = false;    // the click system leaves `state` alone (a field being edited)
    bool useStateColors = false; // tint the background with hoverColor / pressedColor
    // Each press that reached the click's step runs the callback, so that both clicks of a
    // double click count when a slow frame delivers them together; otherwise it runs once.
    bool countsEveryPress = false;
    glm::vec4 hoverColor{1.0f};
    glm::vec4 pressedColor{1.0f};
    std::function<void()> callback;
    const Engine::GFX::Texture2D* backgroundHover;
    const Engine::GFX::Texture2D* backgroundPressed;
    int32_t priority; // weight when several elements lie under the pointer
};

} // namespace Component
