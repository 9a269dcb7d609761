#pragma once
// The Options screen behind the main menu's "Options" button: a dark column like the menu's with
// one row per setting (resolution, full screen, vsync, mouse sensitivity, field of view, invert
// mouse, render scale, ghost) and a "Back" button. Steppers ("<" and ">") walk a setting through its values and stop
// at the ends of its range; the on/off settings toggle on a click of their value. Every change
// goes into the settings at once and the game applies it; "Back" (or Escape) hands over to the
// game, which saves the settings and shows the main menu. The elements are entered in the Menu.
// "Controls" at the title's right opens the Controls screen, which counts as part of this one.
#include "engine/config/settings.h"
#include "engine/ecs/ecstypes.h"
#include "game/menu/controlsscreen.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}

namespace Game {

class Menu;
class RenderResources;

// The smallest window the game's screens fit in; the window cannot be made smaller.
inline constexpr glm::ivec2 kSmallestWindow{640, 480};

enum class Option : uint32_t {
    resolution,
    fullscreen,
    vsync,
    mouseSensitivity,
    fieldOfView,
    invertMouse,
    renderScale,
    ghost
};
inline constexpr std::array<Option, 8> kOptions = {Option::resolution,       Option::fullscreen,  Option::vsync,
                                                   Option::mouseSensitivity, Option::fieldOfView, Option::invertMouse,
                                                   Option::renderScale,      Option::ghost};

namespace OptionsNames {
inline const std::string panel = "Options_panel";
inline const std::string title = "Options_title";
inline const std::string back = "Options_Back";
inline const std::string controls = "Options_Controls";
// The elements of a row: its label, its value, and the steppers of the rows that have them.
std::string label(Option option);
std::string value(Option option);
std::string less(Option option);
std::string more(Option option);
} // namespace OptionsNames

class OptionsScreen {
public:
    struct Links {
        // The window sizes the display offers (the current size is added to them); may be empty.
        std::function<std::vector<glm::ivec2>()> displayModes;
        // A setting changed: the game applies the settings at once.
        std::function<void()> apply;
        // "Back": the game saves the settings and builds the main menu.
        std::function<void()> back;
    };

    // Everything given must outlive the screen; `settings` is the game's, changed in place.
    OptionsScreen(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine, const RenderResources& resources,
                  Engine::Settings& settings, Links links);

    // Takes down whatever the Menu shows and builds the screen (or the Controls screen, while
    // that is on show) for the window's present size.
    void build();
    // The screen or its Controls screen is on show.
    bool shown() const;
    // Shows the settings' present values (after a change made elsewhere, such as F11).
    void showValues();
    // "Back" and Escape: from the Controls screen back to this one, from this one to the game.
    void goBack();
    // Once per update: the Controls screen takes the key it waits for, and Escape leaves the
    // screen as "Back" does, unless a pop-up lies over it.
    void tick();
    ControlsScreen& controls() { return controlsScreen; }

    // The controls. A value within the setting's range (for the resolution: one offered) is
    // taken, applied and shown; anything else is refused with false, and nothing changes.
    bool setResolution(glm::ivec2 size);
    bool setFullscreen(bool on);
    bool setSwapInterval(int32_t interval);
    bool setMouseSensitivity(float sensitivity);
    bool setFieldOfView(int32_t degrees);
    bool setInvertMouse(bool on);
    // A course's best run raced beside the player, or not.
    bool setGhost(bool on);
    // Auto (Engine::kRenderScaleAuto) or one of Engine::kRenderScaleSteps.
    bool setRenderScale(int32_t percent);
    // A stepper: the next value towards `direction` (-1 "<", +1 ">"), or false at the end of
    // the range. The on/off settings toggle whatever the direction.
    bool step(Option option, int direction);

    // The sizes offered now: the display's modes within the window limits and the present
    // size, smallest first, each once.
    std::vector<glm::ivec2> resolutions() const;
    // How the row shows `option`'s value of `settings`: "1280 × 720", "On", "Adaptive", "1.5",
    // "110°", "Auto", "75%", ...
    static std::string valueText(Option option, const Engine::Settings& settings);

private:
    bool take(const Engine::Settings& changed);
    // Takes down the Controls screen and shows this one.
    void showOptions();
    void addControlsButton(float titleY);
    bool canStep(Option option, int direction) const;
    void addRow(Option option, const char* label, float y);
    glm::vec4 stepperColor(Option option, int direction) const;
    // A button with centred text, on a transparent background unless `color` is given, entered
    // under `name`.
    void addButton(const std::string& name, std::string_view text, glm::vec2 position, glm::vec2 size,
                   std::function<void()> action, glm::vec4 textColor = glm::vec4(1.0f),
                   glm::vec4 color = glm::vec4(0.0f));

    ECS::EntityManager* world;
    Menu* menu;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    Engine::Settings* settings;
    Links links;
    ControlsScreen controlsScreen;
};

} // namespace Game
