#pragma once
// Builds the screens of the game into the Menu (main menu, the pause menus of play and editor)
// and the two modal pop-ups (the OK pop-up and the confirm dialog). Positions come from the window
// size when a screen is built. What a button does beyond taking down its own screen is the game
// controller's: it hands in its state switches as MenuActions.
#include "engine/ecs/ecstypes.h"

#include <glm/vec2.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}

namespace Game {

class Menu;
class RenderResources;

// Names of the elements entered in the Menu.
namespace MenuNames {
inline const std::string playMap = "Play_a_map";
inline const std::string singleplayer = "Singleplayer";
inline const std::string mapEditor = "Map-Editor";
inline const std::string options = "Options";
inline const std::string endGame = "GameEnd";
inline const std::string backdrop = "backdrop";
inline const std::string resumeGame = "Resume_Game";
inline const std::string resumeEditor = "Resume_Editor";
inline const std::string backToMenu = "Back_to_menu";
} // namespace MenuNames

// The game controller's state switches that the menu buttons call, after the button's own screen
// has been taken down. An empty one makes its button do nothing more.
struct MenuActions {
    std::function<void()> startSinglePlayer;  // "Singleplayer"
    std::function<void()> openEditor;         // "Map-Editor"
    std::function<void()> endGame;            // "End Game"
    std::function<void()> resumeSinglePlayer; // "Resume" of the play pause menu
    std::function<void()> resumeEditor;       // "Resume" of the editor pause menu
    std::function<void()> backToMainMenu;     // "Back to menu" of either pause menu
    std::function<void()> openOptions;        // "Options"
    std::function<void()> playMap;            // "Play a map": the map chooser over the main menu
};

class MenuBuilder {
public:
    // Entities of one OK pop-up (blocker, box, button) and of one confirm dialog (blocker, box,
    // two buttons). Each is made whole or not at all.
    static constexpr uint32_t kOKpopupElements = 3;
    static constexpr uint32_t kConfirmDialogElements = 4;

    // Everything given must outlive the builder.
    MenuBuilder(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine, const RenderResources& resources,
                MenuActions actions);

    // Each builder adds only the elements that are not in the Menu yet, so building a screen that
    // is already up changes nothing.
    void buildMainMenu();
    void buildPauseMenu();
    void buildEditorPauseMenu();
    // Removes the elements of either pause menu that are present.
    void closePauseMenu();
    // Builds the screen on show (main menu or a pause menu), if any, again for the window's
    // present size. Other screens are left to their builders.
    void rebuildScreen();

    // A message with an "OK" button over a dimmed, inert window, on layers `layer` to `layer` + 2.
    // `layer` is held to 2..7: above the menus and the editor's top bar, which the pop-up must
    // cover, and low enough for all of it to be drawn. "OK" takes the pop-up down. Answers the
    // message box's entity, or ECS::InvalidEntity (nothing made) when the ids for it are not free.
    ECS::EntityId createOKpopup(int32_t layer, std::string_view message);
    // A question with two buttons over a dimmed, inert window (layers `layer` to `layer` + 2,
    // held to 2..7 like the OK pop-up). Either button takes the dialog down and then runs its
    // action, if it has one. Answers the message box's entity, or ECS::InvalidEntity (nothing
    // made) when the ids for it are not free.
    ECS::EntityId createConfirmDialog(std::string_view message, std::string_view leftText, std::string_view rightText,
                                      std::function<void()> leftAction, std::function<void()> rightAction,
                                      int32_t layer = 2);

private:
    // A 256 x 48 transparent button with centred white text, entered under `name` unless present.
    void addMenuButton(const std::string& name, std::string_view text, glm::vec2 position, int32_t layer,
                       std::function<void()> onClick);
    // The dark column behind the buttons, unless present.
    void addBackdrop(int32_t layer, float windowHeight);
    // A click action that takes the Menu down first and then calls `action`.
    std::function<void()> clearThen(const std::function<void()>& action);
    // A click action that closes the pause menu first and then calls `action`.
    std::function<void()> closePauseMenuThen(const std::function<void()>& action);

    ECS::EntityManager* world;
    Menu* menu;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    MenuActions actions;
};

} // namespace Game
