#include "game/editor/editortopbar.h"

#include "engine/ecs/entitymanager.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editorplayer.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

#include <algorithm>
#include <array>
#include <utility>

namespace Game {

namespace Names = TopBarNames;

namespace {

namespace Palette = UI::Palette;

constexpr glm::vec4 kLineColor{1.0f, 1.0f, 1.0f, 0.9f};
constexpr glm::vec4 kCourseColor{0.9f, 0.9f, 0.9f, 1.0f};
constexpr glm::vec4 kCurrentToolTint{0.0f, 1.0f, 0.0f, 0.4f};
constexpr int32_t kBackgroundLayer = 0;
constexpr int32_t kButtonLayer = 1;
constexpr int32_t kButtonPriority = 1;

constexpr glm::vec2 kFileButtonSize{84.0f, 32.0f};
constexpr glm::vec2 kAddButtonSize{128.0f, 48.0f};
constexpr glm::vec2 kToolButtonSize{96.0f, 48.0f};
constexpr glm::vec2 kToggleSize{110.0f, 24.0f};
constexpr float kLineHeight = 2.0f;
constexpr float kTopRowHeight = 32.0f;
constexpr float kBottomRowHeight = float(EditorTopBar::kHeight) - 2.0f * kLineHeight - kTopRowHeight;

} // namespace

EditorTopBar::EditorTopBar(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine,
                           const RenderResources& resources, EditorPlayer& editor, EditorMapFiles& files)
    : world(&world), menu(&menu), engine(&engine), resources(&resources), editor(&editor), files(&files)
    , help(world, menu, engine, resources)
{
}

void EditorTopBar::addBackground(const std::string& name, glm::vec2 position, glm::vec2 size, int32_t layer,
                                 glm::vec4 color)
{
    const ECS::EntityId element =
        UI::createBackground(*world, layer, position, size, resources->whiteTexture.get(), color);
    if (element != ECS::InvalidEntity)
        menu->addElement(name, element);
}

void EditorTopBar::addButton(const std::string& name, glm::vec2 position, glm::vec2 size, glm::vec4 color,
                             const UI::ButtonFace& face, std::function<void()> action)
{
    UI::ButtonStyle style;
    style.texture = resources->whiteTexture.get();
    style.color = color;
    style.priority = kButtonPriority;
    const ECS::EntityId button = UI::createButton(*world, kButtonLayer, position, size, style, face, std::move(action));
    if (button != ECS::InvalidEntity)
        menu->addElement(name, button);
}

void EditorTopBar::addLabel(const std::string& name, glm::vec2 position, glm::vec2 size, std::string_view text,
                            glm::vec4 color)
{
    addBackground(name, position, size, kButtonLayer, Palette::transparent);
    if (menu->hasElement(name))
        UI::addText(*world, menu->element(name), kButtonLayer, resources->editorSmallFont, text, color);
}

void EditorTopBar::addToolButton(const std::string& name, const Engine::GFX::Texture2D* icon, glm::vec2 position,
                                 std::uint32_t tool)
{
    const glm::vec4 color = editor->data().tool == tool ? kCurrentToolTint : Palette::transparent;
    addButton(name, position, kToolButtonSize, color, UI::ButtonFace::iconOnly(icon),
              [this, tool] { editor->setTool(tool); });
}

void EditorTopBar::build()
{
    clear();
    if (!UI::roomFor(*world, kElements, "the editor's top bar"))
        return;
    const glm::vec2 window(UI::windowSize(*engine));
    const float w = window.x;
    const float h = window.y;
    const Engine::GFX::Font& barFont = resources->editorTopBarFont;
    const Engine::GFX::Font& smallFont = resources->editorSmallFont;

    const float top = h - kTopRowHeight;
    const float bottom = h - float(kHeight) + kLineHeight;
    addBackground(Names::backgroundTop, {0.0f, top}, {w, kTopRowHeight}, kBackgroundLayer, Palette::panel);
    addBackground(Names::backgroundLine, {0.0f, top - kLineHeight}, {w, kLineHeight}, kBackgroundLayer, kLineColor);
    addBackground(Names::backgroundBottom, {0.0f, bottom}, {w, kBottomRowHeight}, kBackgroundLayer, Palette::panel);
    addBackground(Names::backgroundBottomLine, {0.0f, bottom - kLineHeight}, {w, kLineHeight}, kBackgroundLayer,
                  kLineColor);

    addButton(Names::newMap, {0.0f, h - 32.0f}, kFileButtonSize, Palette::transparent, {&barFont, "New"},
              [this] { files->askNewMap(); });
    addButton(Names::load, {84.0f, h - 32.0f}, kFileButtonSize, Palette::transparent, {&barFont, "Load"},
              [this] { files->openMapBrowser(EditorMapFiles::kLoad); });
    addButton(Names::save, {168.0f, h - 32.0f}, kFileButtonSize, Palette::transparent, {&barFont, "Save"},
              [this] { files->openMapBrowser(EditorMapFiles::kSave); });
    addButton(Names::add, {0.0f, bottom}, kAddButtonSize, Palette::transparent, {&barFont, "+ Add"},
              [this] { openAddDropdown(); });

    const float middle = w / 2.0f;
    addToolButton(Names::translate, resources->toolTranslateTexture.get(), {middle - 144.0f, bottom},
                  EditorTool::translate);
    addToolButton(Names::rotate, resources->toolRotateTexture.get(), {middle - 48.0f, bottom}, EditorTool::rotate);
    addToolButton(Names::scale, resources->toolScaleTexture.get(), {middle + 48.0f, bottom}, EditorTool::scale);

    const Component::EditorDataComponent& data = editor->data();
    addLabel(Names::pivotLabel, {w - 220.0f, h - 58.0f}, kToggleSize, "Pivot:");
    addButton(Names::pivot, {w - 110.0f, h - 58.0f}, kToggleSize, Palette::transparent,
              {&smallFont, EditorPlayer::pivotName(data.pivot)}, [this] { togglePivot(); });
    addLabel(Names::orientationLabel, {w - 220.0f, h - 83.0f}, {110.0f, 23.0f}, "Transform:");
    addButton(Names::orientation, {w - 110.0f, h - 83.0f}, kToggleSize, Palette::transparent,
              {&smallFont, EditorPlayer::orientationName(data.orientation)}, [this] { toggleOrientation(); });

    // The right end of the top row: snapping, then the shortcut help.
    addLabel(Names::snapLabel, {w - 268.0f, h - 28.0f}, kToggleSize, "Snap:");
    addButton(Names::snap, {w - 158.0f, h - 28.0f}, kToggleSize, Palette::transparent,
              {&smallFont, EditorPlayer::snappingName(data.snapping)}, [this] { toggleSnapping(); });
    addButton(Names::help, {w - 48.0f, h - 32.0f}, {48.0f, 32.0f}, Palette::transparent, {&barFont, "?"},
              [this] { help.toggle(); });
    // The course between "Save" and the snapping toggle.
    addLabel(Names::course, {260.0f, h - 28.0f}, {std::max(0.0f, w - 540.0f), 24.0f},
             editor->scene().gates().course().summary(), kCourseColor);
    help.showIfOpen();
}

void EditorTopBar::clear()
{
    closeAddDropdown();
    for (const std::string* name :
         {&Names::backgroundTop, &Names::backgroundLine, &Names::backgroundBottom, &Names::backgroundBottomLine,
          &Names::newMap, &Names::load, &Names::save, &Names::add, &Names::translate, &Names::rotate, &Names::scale,
          &Names::pivotLabel, &Names::pivot, &Names::orientationLabel, &Names::orientation, &Names::snapLabel,
          &Names::snap, &Names::help, &Names::course})
        menu->removeElementIfPresent(*name);
    help.hide();
}

void EditorTopBar::openAddDropdown()
{
    closeAddDropdown();
    if (!UI::roomFor(*world, kAddDropdownElements, "the \"+ Add\" drop-down"))
        return;
    const float h = static_cast<float>(UI::windowSize(*engine).y);
    addDropdownEntry(Names::addBlock, 1, "Block", [this] { addBlock(); });
    addDropdownEntry(Names::addStart, 2, "Start", [this] { addGate(GateKind::Start); });
    addDropdownEntry(Names::addCheckpoint, 3, "Checkpoint", [this] { addGate(GateKind::Checkpoint); });
    addDropdownEntry(Names::addFinish, 4, "Finish", [this] { addGate(GateKind::Finish); });
    constexpr float kRows = 4.0f;
    const float bottom = h - 84.0f - kRows * kAddButtonSize.y;
    addBackground(Names::addBottomLine, {0.0f, bottom - 2.0f}, {kAddButtonSize.x, 2.0f}, kBackgroundLayer, kLineColor);
    addBackground(Names::addRightLine, {kAddButtonSize.x, bottom - 2.0f}, {2.0f, kRows * kAddButtonSize.y + 2.0f},
                  kBackgroundLayer, kLineColor);
}

void EditorTopBar::addDropdownEntry(const std::string& name, int row, const char* text, std::function<void()> action)
{
    const float h = static_cast<float>(UI::windowSize(*engine).y);
    addButton(name, {0.0f, h - 84.0f - float(row) * kAddButtonSize.y}, kAddButtonSize, Palette::panel,
              {&resources->editorTopBarFont, text}, std::move(action));
}

void EditorTopBar::closeAddDropdown()
{
    for (const std::string* name : {&Names::addStart, &Names::addBlock, &Names::addCheckpoint, &Names::addFinish,
                                    &Names::addRightLine, &Names::addBottomLine})
        menu->removeElementIfPresent(*name);
}

void EditorTopBar::showTool(std::uint32_t tool)
{
    const std::array<const std::string*, 3> buttons{&Names::translate, &Names::rotate, &Names::scale};
    for (std::uint32_t i = 0; i < buttons.size(); ++i) {
        const ECS::EntityId button = menu->element(*buttons[i]);
        if (world->hasComponent<Component::UIBackgroundComponent>(button))
            world->getComponent<Component::UIBackgroundComponent>(button).color =
                i == tool ? kCurrentToolTint : Palette::transparent;
    }
}

void EditorTopBar::setText(const std::string& name, std::string_view text)
{
    const ECS::EntityId element = menu->element(name);
    if (world->hasComponent<Component::UItextComponent>(element))
        world->getComponent<Component::UItextComponent>(element).setText(text);
}

void EditorTopBar::togglePivot()
{
    editor->togglePivot();
    setText(Names::pivot, EditorPlayer::pivotName(editor->data().pivot));
}

void EditorTopBar::toggleOrientation()
{
    editor->toggleOrientation();
    setText(Names::orientation, EditorPlayer::orientationName(editor->data().orientation));
}

void EditorTopBar::toggleSnapping()
{
    editor->toggleSnapping();
    showSnapping(editor->data().snapping);
}

void EditorTopBar::showSnapping(bool on)
{
    setText(Names::snap, EditorPlayer::snappingName(on));
}

void EditorTopBar::addBlock()
{
    closeAddDropdown();
    editor->startAddingBlock();
}

void EditorTopBar::addGate(GateKind kind)
{
    closeAddDropdown();
    editor->startAddingGate(kind);
}

void EditorTopBar::showCourse(std::string_view summary)
{
    setText(Names::course, summary);
}

bool EditorTopBar::rebuildIfShown()
{
    if (!menu->hasElement(TopBarNames::backgroundTop))
        return false;
    const bool dropdownOpen = menu->hasElement(TopBarNames::addBlock);
    build();
    if (dropdownOpen)
        openAddDropdown();
    return true;
}

} // namespace Game
