#include "game/menu/menubuilder.h"

#include "engine/ecs/entitymanager.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

#include <algorithm>
#include <string>
#include <utility>

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
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const ECS::EntityId button =
        UI::createTextElement(*world, layer, position, kMenuButtonSize, white, Palette::transparent,
                              resources->engineFont, UI::kWhite, text, UI::AlignCentreX, glm::vec2(0.0f));
    if (button == ECS::InvalidEntity)
        return;
    if (onClick)
        UI::addClickable(*world, button, kMenuButtonPriority, std::move(onClick), white, white, Palette::hoverTint,
                         Palette::pressedTint);
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
    const ECS::EntityId button = UI::createBackground(*world, l + 1, centre + glm::vec2(-80.0f, -150.0f),
                                                      kOkButtonSize, white, kPopupGreen);
    UI::addText(*world, button, static_cast<uint32_t>(l + 2), font, "OK");
    ECS::EntityManager* w = world;
    UI::addClickable(
        *world, button, l + 2,
        [w, box, button, blocker] {
            UI::destroyElement(*w, box);
            UI::destroyElement(*w, button);
            UI::destroyElement(*w, blocker);
        },
        white, white, Palette::hoverTint, kPopupPressedTint);
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
    const ECS::EntityId left = UI::createBackground(*world, buttonLayer, centre + glm::vec2(-255.0f, -150.0f),
                                                    kDialogButtonSize, white, Palette::transparent);
    UI::addText(*world, left, buttonLayer, font, leftText);
    const ECS::EntityId right = UI::createBackground(*world, boxLayer, centre + glm::vec2(45.0f, -150.0f),
                                                     kDialogButtonSize, white, kPopupGreen);
    UI::addText(*world, right, buttonLayer, font, rightText);

    ECS::EntityManager* w = world;
    const auto closeThen = [w, box, left, right, blocker](std::function<void()> action) {
        return [w, box, left, right, blocker, action = std::move(action)] {
            UI::destroyElement(*w, box);
            UI::destroyElement(*w, left);
            UI::destroyElement(*w, right);
            UI::destroyElement(*w, blocker);
            if (action)
                action();
        };
    };
    UI::addClickable(*world, left, buttonLayer, closeThen(std::move(leftAction)), white, white, Palette::hoverTint,
                     kPopupPressedTint);
    UI::addClickable(*world, right, buttonLayer, closeThen(std::move(rightAction)), white, white, Palette::hoverTint,
                     kPopupPressedTint);
    return box;
}

} // namespace Game
