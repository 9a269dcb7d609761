#pragma once
// The editor's shortcut help: an overlay under the top bar that lists every key and mouse action
// of the editor, drawn with the menus' UI elements and entered in the Menu. F1 and the top bar's
// "?" button show and hide it; Escape hides it. It stays open until closed: taking the top bar
// down (pause menu, play-testing) hides it with the bar, and building the bar brings it back.
#include "engine/ecs/ecstypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
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

namespace HelpNames {
inline const std::string panel = "help_panel";
inline const std::string title = "help_title";
inline const std::string footer = "help_footer";
// Followed by the section's number: "help_heading_0", "help_keys_0", "help_actions_0", ...
inline const std::string heading = "help_heading_";
inline const std::string keys = "help_keys_";
inline const std::string actions = "help_actions_";
} // namespace HelpNames

class EditorHelp {
public:
    static constexpr const char* kTitle = "Editor controls";
    static constexpr const char* kFooter = "F1, ? or Escape closes this help";
    // Sections of the list, and the overlay's entities: the panel, the title and the footer, and
    // a heading, a key column and an action column per section. Made whole or not at all.
    static constexpr std::size_t kSectionCount = 2;
    static constexpr std::uint32_t kElements = 3 + 3 * kSectionCount;

    // One line of the list: the keys or mouse action, and what it does.
    struct Line {
        const char* keys;
        const char* action;
    };
    struct Section {
        const char* heading;
        std::vector<Line> lines;
    };
    // Everything the editor does with the keyboard and the mouse, in the order shown.
    static const std::vector<Section>& sections();

    // Everything given must outlive the overlay.
    EditorHelp(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine, const RenderResources& resources);

    // Opens or closes the overlay.
    void toggle();
    bool isOpen() const { return open; }
    // Takes the elements down and leaves the overlay open, to come back with showIfOpen.
    void hide();
    void showIfOpen();

private:
    void build();
    void addElement(const std::string& name, ECS::EntityId element);

    ECS::EntityManager* world;
    Menu* menu;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    bool open = false;
    std::vector<std::string> names; // of the elements on show
};

} // namespace Game
