#include "game/editor/editorhelp.h"

#include "engine/ecs/entitymanager.h"
#include "engine/gfx/font.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/windowsize.h"

#include <algorithm>

namespace Game {

namespace {

// Layer of the panel and its texts: with the top bar's buttons, under pop-ups and menus.
constexpr int32_t kLayer = 1;
constexpr glm::vec4 kPanelColor{0.0f, 0.0f, 0.0f, 0.85f};
constexpr glm::vec4 kHeadingColor{1.0f, 0.85f, 0.35f, 1.0f};
constexpr glm::vec4 kKeyColor{0.55f, 0.85f, 1.0f, 1.0f};
constexpr glm::vec4 kFooterColor{0.6f, 0.6f, 0.6f, 1.0f};
constexpr float kTopBarHeight = 84.0f;
constexpr float kPadding = 24.0f;
constexpr float kKeyColumn = 240.0f;
constexpr float kActionColumn = 320.0f;
constexpr float kSectionGap = 24.0f;
constexpr float kTitleHeight = 40.0f;
constexpr float kHeadingHeight = 28.0f;
constexpr float kFooterHeight = 32.0f;

std::string joined(const std::vector<EditorHelp::Line>& lines, bool keys)
{
    std::string text;
    for (const EditorHelp::Line& line : lines) {
        if (!text.empty())
            text += '\n';
        text += keys ? line.keys : line.action;
    }
    return text;
}

} // namespace

const std::vector<EditorHelp::Section>& EditorHelp::sections()
{
    static const std::vector<Section> list{
        {"Mouse",
         {
             {"Left click", "select a block"},
             {"Shift + left click", "add to or take from the selection"},
             {"Left click on empty space", "clear the selection"},
             {"Left drag on empty space", "select the blocks in a box"},
             {"Shift + left drag", "add the blocks in a box"},
             {"Left drag on a handle", "move, turn or scale the selection"},
             {"Ctrl + handle drag", "duplicate the selection"},
             {"Alt + handle drag", "snap to the grid itself (snapping on)"},
             {"Right drag", "look around"},
             {"Middle drag", "pan the view"},
             {"Wheel", "fly forwards or backwards"},
         }},
        {"Keys",
         {
             {"W A S D", "fly"},
             {"Tab", "next tool: move, turn, scale"},
             {"G", "snapping: 0.5 units, 15\xC2\xB0, 0.25 scale"},
             {"F", "frame the selection"},
             {"Insert", "add a block"},
             {"Delete", "delete the selection"},
             {"Ctrl + Z", "undo"},
             {"Ctrl + Y, Ctrl + Shift + Z", "redo"},
             {"Alt + S / R / P", "reset scale / turn / position"},
             {"Return", "play-test on foot, and back"},
             {"Escape", "cancel a drag; pause menu"},
             {"F1", "show or hide this help"},
         }},
    };
    return list;
}

EditorHelp::EditorHelp(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine,
                       const RenderResources& resources)
    : world(&world), menu(&menu), engine(&engine), resources(&resources)
{
}

void EditorHelp::toggle()
{
    open = !open;
    if (open)
        build();
    else
        hide();
}

void EditorHelp::hide()
{
    for (const std::string& name : names)
        menu->removeElementIfPresent(name);
    names.clear();
}

void EditorHelp::showIfOpen()
{
    if (open)
        build();
}

void EditorHelp::addElement(const std::string& name, ECS::EntityId element)
{
    if (element == ECS::InvalidEntity)
        return;
    menu->addElement(name, element);
    names.push_back(name);
}

void EditorHelp::build()
{
    hide();
    const glm::vec2 window(UI::windowSize(*engine));
    const std::vector<Section>& list = sections();
    const Engine::GFX::Font& font = resources->fileBrowserFont;
    const float lineHeight = static_cast<float>(font.lineHeight);
    const float sectionWidth = kKeyColumn + kActionColumn;
    const float count = static_cast<float>(list.size());
    // The sections side by side when the window is wide enough, else one above the other.
    const bool sideBySide = 2.0f * kPadding + sectionWidth * count + kSectionGap * (count - 1.0f) <= window.x;
    std::vector<float> heights; // of each section: heading and lines
    for (const Section& section : list)
        heights.push_back(kHeadingHeight + lineHeight * static_cast<float>(section.lines.size()));
    float listWidth = sectionWidth;
    float listHeight = 0.0f;
    for (const float height : heights)
        listHeight = sideBySide ? std::max(listHeight, height) : listHeight + height + kSectionGap;
    if (sideBySide)
        listWidth = sectionWidth * count + kSectionGap * (count - 1.0f);
    else
        listHeight -= kSectionGap;
    const glm::vec2 size(2.0f * kPadding + listWidth, 2.0f * kPadding + kTitleHeight + listHeight + kFooterHeight);
    // Centred in the window below the top bar.
    const glm::vec2 corner =
        glm::floor(glm::vec2((window.x - size.x) / 2.0f, (window.y - kTopBarHeight - size.y) / 2.0f));
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const glm::vec4 clear(0.0f);

    addElement(HelpNames::panel, UI::createBackground(*world, kLayer, corner, size, white, kPanelColor));
    const float top = corner.y + size.y - kPadding;
    addElement(HelpNames::title,
               UI::createTextElement(*world, kLayer, {corner.x, top - kTitleHeight}, {size.x, kTitleHeight}, white,
                                     clear, resources->engineFont, UI::kWhite, kTitle, UI::AlignCentreX, {0, 0}));
    float left = corner.x + kPadding;
    float headingTop = top - kTitleHeight;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string number = std::to_string(i);
        addElement(HelpNames::heading + number,
                   UI::createTextElement(*world, kLayer, {left, headingTop - kHeadingHeight},
                                         {sectionWidth, kHeadingHeight}, white, clear, resources->editorTopBarFont,
                                         kHeadingColor, list[i].heading, UI::AlignLeft, {0, 0}));
        const float listTop = headingTop - kHeadingHeight;
        const float rows = lineHeight * static_cast<float>(list[i].lines.size());
        addElement(HelpNames::keys + number,
                   UI::createTextElement(*world, kLayer, {left, listTop - rows}, {kKeyColumn, rows}, white, clear, font,
                                         kKeyColor, joined(list[i].lines, true), UI::AlignLeft, {0, 0}));
        addElement(HelpNames::actions + number,
                   UI::createTextElement(*world, kLayer, {left + kKeyColumn, listTop - rows}, {kActionColumn, rows},
                                         white, clear, font, UI::kWhite, joined(list[i].lines, false), UI::AlignLeft,
                                         {0, 0}));
        if (sideBySide)
            left += sectionWidth + kSectionGap;
        else
            headingTop -= heights[i] + kSectionGap;
    }
    addElement(HelpNames::footer,
               UI::createTextElement(*world, kLayer, {corner.x, corner.y + kPadding / 2.0f}, {size.x, kFooterHeight},
                                     white, clear, resources->editorSmallFont, kFooterColor, kFooter, UI::AlignCentreX,
                                     {0, 0}));
}

} // namespace Game
