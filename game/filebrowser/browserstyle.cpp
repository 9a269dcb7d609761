#include "game/filebrowser/browserstyle.h"

#include "game/ui/uipalette.h"

#include <utility>

namespace UI::FileBrowser {

using Component::UIfileBrowserComponent;
using Component::UItextComponent;

UIfileBrowserComponent* browserOf(ECS::EntityManager& world, ECS::EntityId browser)
{
    if (!world.hasComponent<UIfileBrowserComponent>(browser) || world.isDestroyPending(browser))
        return nullptr;
    return &world.getComponent<UIfileBrowserComponent>(browser);
}

void destroyAndForget(ECS::EntityManager& world, ECS::EntityId& element)
{
    destroyElement(world, element);
    element = ECS::InvalidEntity;
}

ButtonStyle entryStyle(const UIfileBrowserComponent& b, bool chosen)
{
    return {b.backgroundTexture, chosen ? b.chosenColor : b.entryColor, chosen ? b.chosenHoverColor : b.hoverColor,
            chosen ? b.chosenPressedColor : b.pressedColor, b.layer};
}

ButtonStyle iconStyle(const UIfileBrowserComponent& b)
{
    return {b.backgroundTexture, Palette::transparent, Palette::hoverTint, Palette::pressedTint, b.layer};
}

void addLeftText(ECS::EntityManager& world, ECS::EntityId element, const UIfileBrowserComponent& b,
                 const std::string& text, float offset, glm::vec4 color)
{
    if (element == ECS::InvalidEntity)
        return;
    UItextComponent label(static_cast<uint32_t>(b.layer), text, *b.font, color, AlignLeft, glm::vec2(offset, 0.0f));
    label.clipToBox = true;
    label.clipPadding = glm::vec2(4.0f, 0.0f);
    world.addComponent(element, std::move(label));
}

} // namespace UI::FileBrowser
