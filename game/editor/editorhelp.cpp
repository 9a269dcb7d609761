#include "game/editor/editorhelp.h"

#include "engine/core/assert.h"
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/font.h"
#include "engine/gfx/textlayout.h"
#include "game/editor/editortopbar.h"
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
constexpr float kPadding = 24.0f;
// Between the widest key and the actions beside it.
constexpr float kColumnGap = 24.0f;
// Between the sections side by side, and one above the other (the heading gives room there).
constexpr float kSectionGap = 24.0f;
constexpr float kStackedGap = 8.0f;
constexpr float kTitleHeight = 40.0f;
constexpr float kHeadingHeight = 28.0f;
constexpr float kFooterHeight = 32.0f;

// Where the overlay's parts go for one font of the lists and one arrangement of the sections.
struct HelpLayout {
    const Engine::GFX::Font* font = nullptr;
    bool sideBySide = true;
    float keyColumn = 0.0f;
    float actionColumn = 0.0f;
    std::vector<float> heights; // of each section: heading and lines
    glm::vec2 size{0.0f};       // of the whole panel
};

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

// Width in pixels of the widest key (or action) of every section, drawn in `font`.
float widest(const Engine::GFX::Font& font, const std::vector<EditorHelp::Section>& list, bool keys)
{
    uint32_t width = 0;
    for (const EditorHelp::Section& section : list) {
        for (const EditorHelp::Line& line : section.lines) {
            const char* text = keys ? line.keys : line.action;
            width = std::max(width, Engine::GFX::layoutText(font, Engine::GFX::utf8ToUtf16(text)).width);
        }
    }
    return static_cast<float>(width);
}

HelpLayout planLayout(const Engine::GFX::Font& font, bool sideBySide, const std::vector<EditorHelp::Section>& list)
{
    HelpLayout layout;
    layout.font = &font;
    layout.sideBySide = sideBySide;
    layout.keyColumn = widest(font, list, true) + kColumnGap;
    layout.actionColumn = widest(font, list, false);
    const float sectionWidth = layout.keyColumn + layout.actionColumn;
    const float count = static_cast<float>(list.size());
    float listWidth = sectionWidth;
    float listHeight = 0.0f;
    for (const EditorHelp::Section& section : list) {
        const float height =
            kHeadingHeight + static_cast<float>(font.lineHeight) * static_cast<float>(section.lines.size());
        layout.heights.push_back(height);
        listHeight = sideBySide ? std::max(listHeight, height) : listHeight + height;
    }
    if (sideBySide)
        listWidth = sectionWidth * count + kSectionGap * (count - 1.0f);
    else
        listHeight += kStackedGap * (count - 1.0f);
    layout.size = {2.0f * kPadding + listWidth, 2.0f * kPadding + kTitleHeight + listHeight + kFooterHeight};
    return layout;
}

// The roomiest layout that fits `room`: the lists' own font side by side, then one above the
// other, then the same in the small font. When none fits, the last, which is the smallest.
HelpLayout chooseLayout(const RenderResources& resources, glm::vec2 room, const std::vector<EditorHelp::Section>& list)
{
    HelpLayout layout;
    for (const Engine::GFX::Font* font : {&resources.fileBrowserFont, &resources.editorSmallFont}) {
        for (const bool sideBySide : {true, false}) {
            layout = planLayout(*font, sideBySide, list);
            if (layout.size.x <= room.x && layout.size.y <= room.y)
                return layout;
        }
    }
    return layout;
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
             {"Wheel", "fly; on a checkpoint: renumber it"},
         }},
        {"Keys",
         {
             {"W A S D", "fly"},
             {"Tab", "next tool: move, turn, scale"},
             {"G", "snapping: 0.5 units, 15\xC2\xB0, 0.25 scale"},
             {"F", "frame the selection"},
             {"Insert; + / -", "add a block; renumber a checkpoint"},
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
    const std::vector<Section>& list = sections();
    TX_ASSERT(list.size() == kSectionCount, "EditorHelp::kSectionCount counts the sections");
    if (!UI::roomFor(*world, kElements, "the editor's help")) {
        open = false;
        return;
    }
    const glm::vec2 window(UI::windowSize(*engine));
    // The room below the top bar; a panel taller than that starts right under the bar, so the
    // bar stays whole and the last lines go instead.
    const glm::vec2 room(window.x, window.y - float(EditorTopBar::kHeight));
    const HelpLayout layout = chooseLayout(*resources, room, list);
    const glm::vec2 size = layout.size;
    const Engine::GFX::Font& font = *layout.font;
    const float lineHeight = static_cast<float>(font.lineHeight);
    const float sectionWidth = layout.keyColumn + layout.actionColumn;
    const glm::vec2 corner = glm::floor(
        glm::vec2(std::max((window.x - size.x) / 2.0f, 0.0f), std::min((room.y - size.y) / 2.0f, room.y - size.y)));
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
                   UI::createTextElement(*world, kLayer, {left, listTop - rows}, {layout.keyColumn, rows}, white,
                                         clear, font, kKeyColor, joined(list[i].lines, true), UI::AlignLeft, {0, 0}));
        addElement(HelpNames::actions + number,
                   UI::createTextElement(*world, kLayer, {left + layout.keyColumn, listTop - rows},
                                         {layout.actionColumn, rows}, white, clear, font, UI::kWhite,
                                         joined(list[i].lines, false), UI::AlignLeft, {0, 0}));
        if (layout.sideBySide)
            left += sectionWidth + kSectionGap;
        else
            headingTop -= layout.heights[i] + kStackedGap;
    }
    addElement(HelpNames::footer,
               UI::createTextElement(*world, kLayer, {corner.x, corner.y + kPadding / 2.0f}, {size.x, kFooterHeight},
                                     white, clear, resources->editorSmallFont, kFooterColor, kFooter, UI::AlignCentreX,
                                     {0, 0}));
}

} // namespace Game
