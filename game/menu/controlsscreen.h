#pragma once
// The Controls screen behind the Options screen's "Controls" button: a dark column with every
// bindable action and what it is bound to, in two columns, with "Defaults" and "Back". Clicking an
// action's binding waits for the next key, mouse button or wheel notch and binds it (Escape
// cancels); a binding that another action held moves over, that action takes the old one, and
// the screen says so. Below them, the game controller's look speed (a stepper) and inverted look
// (a toggle). Changes go into the settings at once; the game saves them with the rest.
#include "engine/config/settings.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <functional>
#include <optional>
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

namespace ControlsNames {
inline const std::string panel = "Controls_panel";
inline const std::string title = "Controls_title";
inline const std::string status = "Controls_status";
inline const std::string defaults = "Controls_Defaults";
inline const std::string back = "Controls_Back";
inline const std::string prompt = "Controls_prompt";         // the box asking for a key
inline const std::string promptBlocker = "Controls_blocker"; // the backdrop under it
inline const std::string padLookLabel = "Controls_pad_look_label";
inline const std::string padLookLess = "Controls_pad_look_less";
inline const std::string padLook = "Controls_pad_look";
inline const std::string padLookMore = "Controls_pad_look_more";
inline const std::string padInvertLabel = "Controls_pad_invert_label";
inline const std::string padInvert = "Controls_pad_invert";
inline const std::string padHelp = "Controls_pad_help";
// An action's label and its binding (the button that rebinds it).
std::string label(Engine::Action action);
std::string binding(Engine::Action action);
} // namespace ControlsNames

class ControlsScreen {
public:
    struct Links {
        std::function<void()> apply; // a binding changed
        std::function<void()> back;  // "Back": the screen before takes over
    };

    // Everything given must outlive the screen; `settings` is the game's, changed in place.
    ControlsScreen(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine, const RenderResources& resources,
                   Engine::Settings& settings, Links links);

    // Takes down whatever the Menu shows and builds the screen for the window's present size.
    void build();
    bool shown() const;
    // "Back", and Escape while no key is awaited.
    void goBack();

    // Waits for the key or button that `action` is to take, showing the prompt.
    void awaitBinding(Engine::Action action);
    bool awaiting() const { return awaited.has_value(); }
    // Once per update: while a binding is awaited, takes the first key, mouse button or wheel
    // notch of the engine's snapshots (Escape cancels). After a mouse button the prompt stays
    // until every button is up, so that the release clicks nothing beneath it.
    void tick();
    // Binds `action` to `binding` and shows the result; refused (false) for what cannot be bound.
    bool bindAction(Engine::Action action, Engine::InputBinding binding);
    // "Defaults": every action gets its default binding again.
    void restoreDefaults();
    // The pad's look speed one step (0.1) up or down within the mouse sensitivity's limits;
    // false at the end of the range.
    bool stepPadLook(int direction);
    void togglePadInvert();
    // The status line: what the last binding did.
    const std::string& statusText() const { return status; }

    // Where the binding rows of `actions` actions go, in two columns between the title and the
    // pad's row (window pixels from the middle, upwards): the first row's bottom edge, the spacing
    // of the rows and their height. Rows shrink as actions are added, so that all fit.
    struct RowLayout {
        float firstRowAboveMiddle;
        float spacing;
        float height;
    };
    static RowLayout rowLayout(size_t actions);
    // The top of the pad's row, below the last binding row, from the middle upwards.
    static float padRowTopAboveMiddle();

private:
    std::optional<Engine::InputBinding> takenBinding() const;
    void addRow(size_t index, glm::vec2 position, float height);
    void addPadRows(float y, float helpY);
    void settingsChanged();
    void addButton(const std::string& name, std::string_view text, glm::vec2 position, glm::vec2 size,
                   std::function<void()> action, glm::vec4 color);
    void showPrompt(Engine::Action action);
    void closePrompt();
    void showBindings();
    void setStatus(std::string text);

    ECS::EntityManager* world;
    Menu* menu;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    Engine::Settings* settings;
    Links links;
    std::optional<Engine::Action> awaited;
    bool closingAfterRelease = false;
    std::string status;
};

} // namespace Game
