#include "game/menu/menubuilder.h"

#include "engine/ecs/entitymanager.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Game {

namespace {

namespace Palette = UI::Palette;

constexpr glm::vec2 kMenuButtonSize{256.0f, 48.0f};
constexpr float kMenuX = 32.0f;
constexpr float kButtonSpacing = 64.0f;
constexpr int32_t kMenuButtonPriority = 1;

constexpr glm::vec2 kPopupBoxSize{600.0f, 340.0f};
constexpr glm::vec2 kPopupTextOffset{0.0f, 32.0f};
constexpr glm::vec4 kPopupGreen{0.0f, 1.0f, 0.0f, 0.4f};
constexpr glm::vec4 kPopupPressedTint{0.0f, 0.0f, 0.0f, 0.0f};
constexpr glm::vec2 kOkButtonSize{160.0f, 48.0f};
constexpr glm::vec2 kDialogButtonSize{210.0f, 48.0f};
// An OK pop-up spans three layers. It lies above the menus and the editor's top bar (layers 0
// and 1), so that its blocker covers them, and its top layer must still be drawn.
constexpr int32_t kLowestPopupLayer = 2;
constexpr int32_t kHighestPopupLayer = static_cast<int32_t>(UI::kLayerCount) - 3;

UI::ButtonStyle popupButtonStyle(const Engine::GFX::Texture2D* texture, glm::vec4 color, int32_t priority)
{
    return {texture, color, Palette::hoverTint, kPopupPressedTint, priority};
}

// A pop-up button's click: destroys the pop-up's elements, in the order `parts` lists them once
// the pop-up is made, and then runs `then`, if any.
std::function<void()> closePopupThen(ECS::EntityManager& world,
                                     const std::shared_ptr<std::vector<ECS::EntityId>>& parts,
                                     std::function<void()> then)
{
    ECS::EntityManager* w = &world;
    return [w, parts, then = std::move(then)] {
        for (const ECS::EntityId part : *parts)
            UI::destroyElement(*w, part);
        if (then)
            then();
    };
}

} // namespace

MenuBuilder::MenuBuilder(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine,
                         const RenderResources& resources, MenuActions actions)
    : world(&world), menu(&menu), engine(&engine), resources(&resources), actions(std::move(actions))
{
}

std::function<void()> MenuBuilder::clearThen(const std::function<void()>& action)
{
    return [this, action] {
        menu->clear();
        if (action)
            action();
    };
}

std::function<void()> MenuBuilder::closePauseMenuThen(const std::function<void()>& action)
{
    return [this, action] {
        closePauseMenu();
        if (action)
            action();
    };
}

void MenuBuilder::addMenuButton(const std::string& name, std::string_view text, glm::vec2 position, int32_t layer,
                                std::function<void()> onClick)
{
    if (menu->hasElement(name))
        return;
    const ECS::EntityId button =
        UI::createButton(*world, layer, position, kMenuButtonSize, {resources->whiteTexture.get()},
                         {&resources->engineFont, text}, std::move(onClick));
    if (button != ECS::InvalidEntity)
        menu->addElement(name, button);
}

void MenuBuilder::addBackdrop(int32_t layer, float windowHeight)
{
    if (menu->hasElement(MenuNames::backdrop))
        return;
    const ECS::EntityId backdrop = UI::createBackground(*world, layer, glm::vec2(kMenuX, 0.0f),
                                                        glm::vec2(kMenuButtonSize.x, windowHeight),
                                                        resources->whiteTexture.get(), Palette::panel);
    if (backdrop != ECS::InvalidEntity)
        menu->addElement(MenuNames::backdrop, backdrop);
}

void MenuBuilder::buildMainMenu()
{
    const int h = UI::windowSize(*engine).y;
    const float first = static_cast<float>(h / 2 - 48);
    // Above the four first buttons, which keep their places.
    addMenuButton(MenuNames::playMap, "Play a map", {kMenuX, first + kButtonSpacing}, 1, [this] {
        if (actions.playMap)
            actions.playMap();
    });
    addMenuButton(MenuNames::singleplayer, "Singleplayer", {kMenuX, first}, 1, clearThen(actions.startSinglePlayer));
    addMenuButton(MenuNames::mapEditor, "Map-Editor", {kMenuX, first - kButtonSpacing}, 1,
                  clearThen(actions.openEditor));
    addMenuButton(MenuNames::options, "Options", {kMenuX, first - 2 * kButtonSpacing}, 1,
                  clearThen(actions.openOptions));
    addMenuButton(MenuNames::endGame, "End Game", {kMenuX, first - 3 * kButtonSpacing}, 1, [this] {
        if (actions.endGame)
            actions.endGame();
    });
    addBackdrop(0, static_cast<float>(h));
}

void MenuBuilder::buildPauseMenu()
{
    const int h = UI::windowSize(*engine).y;
    const float first = static_cast<float>(h / 2 - 24);
    addMenuButton(MenuNames::resumeGame, "Resume", {kMenuX, first}, 1, closePauseMenuThen(actions.resumeSinglePlayer));
    addMenuButton(MenuNames::backToMenu, "Back to menu", {kMenuX, first - kButtonSpacing}, 1,
                  clearThen(actions.backToMainMenu));
    addBackdrop(0, static_cast<float>(h));
}

void MenuBuilder::buildEditorPauseMenu()
{
    // Layers 2 and 3: above the editor's top bar.
    const int h = UI::windowSize(*engine).y;
    const float first = static_cast<float>(h / 2 - 24);
    addMenuButton(MenuNames::resumeEditor, "Resume", {kMenuX, first}, 3, closePauseMenuThen(actions.resumeEditor));
    addMenuButton(MenuNames::backToMenu, "Back to menu", {kMenuX, first - kButtonSpacing}, 3,
                  clearThen(actions.backToMainMenu));
    addBackdrop(2, static_cast<float>(h));
}

void MenuBuilder::closePauseMenu()
{
    for (const std::string* name :
         {&MenuNames::resumeGame, &MenuNames::resumeEditor, &MenuNames::backToMenu, &MenuNames::backdrop})
        menu->removeElementIfPresent(*name);
}

void MenuBuilder::rebuildScreen()
{
    const auto rebuild = [this](void (MenuBuilder::*build)()) {
        menu->clear();
        (this->*build)();
    };
    if (menu->hasElement(MenuNames::singleplayer))
        rebuild(&MenuBuilder::buildMainMenu);
    else if (menu->hasElement(MenuNames::resumeGame))
        rebuild(&MenuBuilder::buildPauseMenu);
    else if (menu->hasElement(MenuNames::resumeEditor))
        rebuild(&MenuBuilder::buildEditorPauseMenu);
}

ECS::EntityId MenuBuilder::createOKpopup(int32_t layer, std::string_view message)
{
    if (!UI::roomFor(*world, kOKpopupElements, "the pop-up \"" + std::string(message) + "\""))
        return ECS::InvalidEntity;
    const int32_t l = std::clamp(layer, kLowestPopupLayer, kHighestPopupLayer);
    const glm::vec2 window(UI::windowSize(*engine));
    const glm::vec2 centre = glm::floor(window / 2.0f);
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const Engine::GFX::Font& font = resources->engineFont;

    const ECS::EntityId blocker = UI::createBlocker(*world, l, white, window.x, window.y);
    const ECS::EntityId box = UI::createBackground(*world, l + 1, centre - kPopupBoxSize / 2.0f, kPopupBoxSize, white,
                                                   Palette::panel);
    UI::addText(*world, box, static_cast<uint32_t>(l + 1), font, message, UI::kWhite, kPopupTextOffset);
    const auto parts = std::make_shared<std::vector<ECS::EntityId>>();
    const ECS::EntityId button =
        UI::createButton(*world, l + 1, centre + glm::vec2(-80.0f, -150.0f), kOkButtonSize,
                         popupButtonStyle(white, kPopupGreen, l + 2), {&font, "OK", UI::kWhite, l + 2},
                         closePopupThen(*world, parts, nullptr));
    *parts = {box, button, blocker};
    return box;
}

ECS::EntityId MenuBuilder::createConfirmDialog(std::string_view message, std::string_view leftText,
                                               std::string_view rightText, std::function<void()> leftAction,
                                               std::function<void()> rightAction, int32_t layer)
{
    if (!UI::roomFor(*world, kConfirmDialogElements, "the question \"" + std::string(message) + "\""))
        return ECS::InvalidEntity;
    const int32_t blockerLayer = std::clamp(layer, kLowestPopupLayer, kHighestPopupLayer);
    const int32_t boxLayer = blockerLayer + 1;
    const int32_t buttonLayer = blockerLayer + 2;
    const glm::vec2 window(UI::windowSize(*engine));
    const glm::vec2 centre = glm::floor(window / 2.0f);
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const Engine::GFX::Font& font = resources->engineFont;

    const ECS::EntityId blocker = UI::createBlocker(*world, blockerLayer, white, window.x, window.y);
    const ECS::EntityId box = UI::createBackground(*world, boxLayer, centre - kPopupBoxSize / 2.0f,
                                                   kPopupBoxSize, white, Palette::panel);
    UI::addText(*world, box, boxLayer, font, message, UI::kWhite, kPopupTextOffset);
    const auto parts = std::make_shared<std::vector<ECS::EntityId>>();
    const ECS::EntityId left =
        UI::createButton(*world, buttonLayer, centre + glm::vec2(-255.0f, -150.0f), kDialogButtonSize,
                         popupButtonStyle(white, Palette::transparent, buttonLayer),
                         {&font, leftText, UI::kWhite, buttonLayer},
                         closePopupThen(*world, parts, std::move(leftAction)));
    const ECS::EntityId right =
        UI::createButton(*world, boxLayer, centre + glm::vec2(45.0f, -150.0f), kDialogButtonSize,
                         popupButtonStyle(white, kPopupGreen, buttonLayer), {&font, rightText, UI::kWhite, buttonLayer},
                         closePopupThen(*world, parts, std::move(rightAction)));
    *parts = {box, left, right, blocker};
    return box;
}

} // namespace Game
