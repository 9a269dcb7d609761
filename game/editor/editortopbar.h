#pragma once
// The editor's top bar across the top kHeight rows of the window: the file commands "New", "Load" and
// "Save", the "+ Add" drop-down, the three tool buttons (the current one tinted green) and the
// pivot and transform-orientation toggles, with the snapping toggle and the "?" button of the
// shortcut help at the right of the top row. Its elements are entered in the Menu under the
// names below, and it is built from the window size of the moment it is built.
#include "engine/ecs/ecstypes.h"
#include "game/course/course.h"
#include "game/editor/editorhelp.h"
#include "game/ui/uielements.h"

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

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
namespace Engine::GFX {
class Font;
class Texture2D;
} // namespace Engine::GFX

namespace Game {

class EditorMapFiles;
class EditorPlayer;
class Menu;
class RenderResources;

namespace TopBarNames {
inline const std::string backgroundTop = "background_top";
inline const std::string backgroundLine = "backgroundLine";
inline const std::string backgroundBottom = "background_bottom";
inline const std::string backgroundBottomLine = "background_bottom_line";
inline const std::string newMap = "New";
inline const std::string load = "Load";
inline const std::string save = "Save";
inline const std::string add = "add";
inline const std::string translate = "selection_translate";
inline const std::string rotate = "selection_rotate";
inline const std::string scale = "selection_scale";
inline const std::string pivotLabel = "PivotPointText";
inline const std::string pivot = "pivot";
inline const std::string orientationLabel = "transformOrientationText";
inline const std::string orientation = "transform";
inline const std::string snapLabel = "snapText";
inline const std::string snap = "snap";
inline const std::string help = "help";
inline const std::string course = "courseSummary";
// The "+ Add" drop-down.
inline const std::string addStart = "addStart";
inline const std::string addBlock = "addBlock";
inline const std::string addCheckpoint = "addCheckpoint";
inline const std::string addFinish = "addFinish";
inline const std::string addRightLine = "add_rightLine";
inline const std::string addBottomLine = "add_bottomLine";
} // namespace TopBarNames

class EditorTopBar {
public:
    // Entities of the bar and of the "+ Add" drop-down; each is made whole or not at all.
    static constexpr std::uint32_t kElements = 19;
    static constexpr std::uint32_t kAddDropdownElements = 6;
    // Rows of the window's top the bar takes: its top row, a line, its bottom row and a line.
    // The shortcut help and the file browser sit below them.
    static constexpr int kHeight = 84;

    // Everything given must outlive the bar.
    EditorTopBar(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine, const RenderResources& resources,
                 EditorPlayer& editor, EditorMapFiles& files);

    // Takes down any bar there is and builds it anew with the editor's pivot and orientation.
    void build();
    // Removes the bar and its drop-down from the Menu.
    void clear();
    // "+ Add": the drop-down with "Block", "Start", "Checkpoint" and "Finish", in place of any
    // open one.
    void openAddDropdown();
    // After a window resize: builds a bar on show anew for the new size, its "+ Add" list open
    // again when it was; false when no bar is on show.
    bool rebuildIfShown();
    void closeAddDropdown();
    // Tints the current tool's button; the others are left clear.
    void showTool(std::uint32_t tool);
    // Sets the snapping toggle's text ("ON" or "OFF"), for the editor's snapping key; a click on
    // the toggle sets it itself.
    void showSnapping(bool on);
    // The course line of the top row (Course::summary()).
    void showCourse(std::string_view summary);
    // The shortcut help under the bar ("?" and F1).
    void toggleHelp() { help.toggle(); }
    bool helpShown() const { return help.isOpen(); }

private:
    void addBackground(const std::string& name, glm::vec2 position, glm::vec2 size, int32_t layer, glm::vec4 color);
    // A button of the bar through the UI's one button maker, named `name` in the menu.
    void addButton(const std::string& name, glm::vec2 position, glm::vec2 size, glm::vec4 color,
                   const UI::ButtonFace& face, std::function<void()> action);
    // A text that no click reaches, such as a toggle's caption.
    void addLabel(const std::string& name, glm::vec2 position, glm::vec2 size, std::string_view text,
                  glm::vec4 color = glm::vec4(0.5f, 0.5f, 0.5f, 1.0f));
    void addToolButton(const std::string& name, const Engine::GFX::Texture2D* icon, glm::vec2 position,
                       std::uint32_t tool);
    void setText(const std::string& name, std::string_view text);
    void togglePivot();
    void toggleOrientation();
    void toggleSnapping();
    // One entry of the "+ Add" list, `row` entries below "+ Add".
    void addDropdownEntry(const std::string& name, int row, const char* text, std::function<void()> action);
    void addBlock();
    void addGate(GateKind kind);

    ECS::EntityManager* world;
    Menu* menu;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    EditorPlayer* editor;
    EditorMapFiles* files;
    EditorHelp help;
};

} // namespace Game
