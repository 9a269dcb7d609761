#include "game/menu/controlsscreen.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace Game {

namespace {

namespace Palette = UI::Palette;
using Engine::Action;
using Engine::InputBinding;

constexpr float kPanelX = 32.0f;
constexpr float kPanelWidth = 576.0f;
// Two columns of rows, each a label and the binding's button.
constexpr float kColumnX[] = {48.0f, 328.0f};
constexpr glm::vec2 kLabelSize{116.0f, 36.0f};
constexpr float kBindingOffset = 120.0f;
constexpr glm::vec2 kBindingSize{148.0f, 36.0f};
// The binding rows fill the band from under the title to over the pad's row: at most
// kRowSpacing apart and kLabelSize.y high, with at least kRowGap between two rows.
constexpr float kRowsTopAboveMiddle = 180.0f;
constexpr float kRowsBottomAboveMiddle = -56.0f;
constexpr float kRowSpacing = 44.0f;
constexpr float kRowGap = 8.0f;
constexpr glm::vec2 kTitleSize{kPanelWidth, 48.0f};
constexpr float kTitleAboveMiddle = 184.0f;
constexpr glm::vec2 kStatusSize{kPanelWidth, 40.0f};
constexpr float kStatusBelowMiddle = 176.0f;
constexpr glm::vec2 kButtonSize{240.0f, 48.0f};
constexpr float kButtonsBelowMiddle = 232.0f;
constexpr glm::vec2 kPromptSize{520.0f, 140.0f};
// The pad's row under the bindings: a stepper in the first column, a toggle in the second; and a
// line naming the pad's fixed buttons.
constexpr float kPadRowBelowMiddle = 100.0f;
constexpr float kPadHelpBelowMiddle = 140.0f;
constexpr glm::vec2 kStepperSize{36.0f, 36.0f};
constexpr const char* kPadHelpText = "Pad: A jump, RT rope, LB/RB reel, Start pause, B back";

constexpr glm::vec4 kBindingColor{1.0f, 1.0f, 1.0f, 0.1f};
constexpr glm::vec4 kLabelColor{0.75f, 0.75f, 0.75f, 1.0f};
constexpr int32_t kPanelLayer = 0;
constexpr int32_t kControlLayer = 1;
constexpr int32_t kPromptLayer = 2; // over the screen, as the Options screen's pop-ups
constexpr int32_t kButtonPriority = 1;
constexpr int kMouseButtons = 5;    // SDL's buttons 1 to 5 can be bound

std::string padLookText(float sensitivity)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(sensitivity));
    return text;
}

size_t rowsPerColumn()
{
    return (Engine::kActionCount + 1) / 2;
}

void setText(ECS::EntityManager& world, ECS::EntityId element, std::string_view text)
{
    if (element == ECS::InvalidEntity || !world.hasComponent<Component::UItextComponent>(element))
        return;
    Component::UItextComponent& shown = world.getComponent<Component::UItextComponent>(element);
    if (shown.text != text)
        shown.setText(text);
}

} // namespace

namespace ControlsNames {
std::string label(Action action) { return std::string("Controls_") + actionInfo(action).configKey + "_label"; }
std::string binding(Action action) { return std::string("Controls_") + actionInfo(action).configKey; }
} // namespace ControlsNames

ControlsScreen::ControlsScreen(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine,
                               const RenderResources& resources, Engine::Settings& settings, Links links)
    : world(&world), menu(&menu), engine(&engine), resources(&resources), settings(&settings), links(std::move(links))
{
}

bool ControlsScreen::shown() const
{
    return menu->hasElement(ControlsNames::panel);
}

void ControlsScreen::goBack()
{
    awaited.reset();
    closingAfterRelease = false;
    if (links.back)
        links.back();
}

void ControlsScreen::addButton(const std::string& name, std::string_view text, glm::vec2 position, glm::vec2 size,
                               std::function<void()> action, glm::vec4 color)
{
    const UI::ButtonStyle style{resources->whiteTexture.get(), color, Palette::hoverTint, Palette::pressedTint,
                                kButtonPriority};
    const ECS::EntityId button = UI::createButton(*world, kControlLayer, position, size, style,
                                                  {&resources->engineFont, text, UI::kWhite}, std::move(action));
    if (button != ECS::InvalidEntity)
        menu->addElement(name, button);
}

ControlsScreen::RowLayout ControlsScreen::rowLayout(size_t actions)
{
    const float rows = float(std::max<size_t>(1, (actions + 1) / 2));
    const float band = kRowsTopAboveMiddle - kRowsBottomAboveMiddle;
    float spacing = kRowSpacing;
    float height = kLabelSize.y;
    if ((rows - 1.0f) * spacing + height > band) {
        spacing = (band + kRowGap) / rows;
        height = spacing - kRowGap;
    }
    return {kRowsTopAboveMiddle - height, spacing, height};
}

float ControlsScreen::padRowTopAboveMiddle()
{
    return -kPadRowBelowMiddle + kBindingSize.y;
}

void ControlsScreen::addRow(size_t index, glm::vec2 position, float height)
{
    const Engine::ActionInfo& info = Engine::kActionTable[index];
    const ECS::EntityId label = UI::createTextElement(*world, kControlLayer, position, {kLabelSize.x, height},
                                                      resources->whiteTexture.get(), Palette::transparent,
                                                      resources->engineFont, kLabelColor, info.label, UI::AlignLeft,
                                                      glm::vec2(0.0f));
    if (label != ECS::InvalidEntity)
        menu->addElement(ControlsNames::label(info.action), label);
    const Action action = info.action;
    addButton(ControlsNames::binding(action), Engine::bindingDisplayName(settings->bindings[index]),
              position + glm::vec2(kBindingOffset, 0.0f), {kBindingSize.x, height},
              [this, action] { awaitBinding(action); },
              kBindingColor);
}

void ControlsScreen::build()
{
    awaited.reset();
    closingAfterRelease = false;
    menu->clear();
    const glm::vec2 window(UI::windowSize(*engine));
    const float middle = float(int(window.y) / 2);
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const ECS::EntityId panel =
        UI::createBackground(*world, kPanelLayer, {kPanelX, 0.0f}, {kPanelWidth, window.y}, white, Palette::panel);
    if (panel == ECS::InvalidEntity)
        return;
    menu->addElement(ControlsNames::panel, panel);
    const auto addText = [&](const std::string& name, glm::vec2 position, glm::vec2 size, std::string_view text) {
        const ECS::EntityId element =
            UI::createTextElement(*world, kControlLayer, position, size, white, Palette::transparent,
                                  resources->engineFont, UI::kWhite, text, UI::AlignCentreX, glm::vec2(0.0f));
        if (element != ECS::InvalidEntity)
            menu->addElement(name, element);
    };
    addText(ControlsNames::title, {kPanelX, middle + kTitleAboveMiddle}, kTitleSize, "Controls");
    const RowLayout rows = rowLayout(Engine::kActionCount);
    for (size_t i = 0; i < Engine::kActionCount; ++i) {
        const size_t column = i / rowsPerColumn();
        const float y = middle + rows.firstRowAboveMiddle - float(i % rowsPerColumn()) * rows.spacing;
        addRow(i, {kColumnX[column], y}, rows.height);
    }
    addPadRows(middle - kPadRowBelowMiddle, middle - kPadHelpBelowMiddle);
    addText(ControlsNames::status, {kPanelX, middle - kStatusBelowMiddle}, kStatusSize, status);
    const float buttonsY = middle - kButtonsBelowMiddle;
    addButton(ControlsNames::defaults, "Defaults", {kPanelX + 32.0f, buttonsY}, kButtonSize,
              [this] { restoreDefaults(); }, Palette::transparent);
    addButton(ControlsNames::back, "Back", {kPanelX + kPanelWidth - 32.0f - kButtonSize.x, buttonsY}, kButtonSize,
              [this] { goBack(); }, Palette::transparent);
}

void ControlsScreen::addPadRows(float y, float helpY)
{
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const auto addLabel = [&](const std::string& name, glm::vec2 position, glm::vec2 size, std::string_view text,
                              glm::vec4 background, uint32_t align) {
        const glm::vec4 color = background == Palette::transparent ? kLabelColor : UI::kWhite;
        const ECS::EntityId element = UI::createTextElement(*world, kControlLayer, position, size, white, background,
                                                            resources->engineFont, color, text, align,
                                                            glm::vec2(0.0f));
        if (element != ECS::InvalidEntity)
            menu->addElement(name, element);
    };
    addLabel(ControlsNames::padLookLabel, {kColumnX[0], y}, kLabelSize, "Pad look", Palette::transparent,
             UI::AlignLeft);
    const float stepperX = kColumnX[0] + kBindingOffset;
    addButton(ControlsNames::padLookLess, "<", {stepperX, y}, kStepperSize, [this] { stepPadLook(-1); },
              Palette::transparent);
    addLabel(ControlsNames::padLook, {stepperX + kStepperSize.x, y},
             {kBindingSize.x - 2.0f * kStepperSize.x, kBindingSize.y}, padLookText(settings->padLookSensitivity),
             kBindingColor, UI::AlignCentreX);
    addButton(ControlsNames::padLookMore, ">", {stepperX + kBindingSize.x - kStepperSize.x, y}, kStepperSize,
              [this] { stepPadLook(1); }, Palette::transparent);
    addLabel(ControlsNames::padInvertLabel, {kColumnX[1], y}, kLabelSize, "Invert pad", Palette::transparent,
             UI::AlignLeft);
    addButton(ControlsNames::padInvert, settings->invertPadLook ? "On" : "Off",
              {kColumnX[1] + kBindingOffset, y}, kBindingSize, [this] { togglePadInvert(); }, kBindingColor);
    addLabel(ControlsNames::padHelp, {kPanelX, helpY}, kStatusSize, kPadHelpText, Palette::transparent,
             UI::AlignCentreX);
}

bool ControlsScreen::stepPadLook(int direction)
{
    constexpr float kStep = Engine::kMouseSensitivityStep;
    const float tenths = std::round(settings->padLookSensitivity / kStep) + (direction > 0 ? 1.0f : -1.0f);
    const float next = tenths * kStep;
    if (next < Engine::kMinMouseSensitivity - 1e-4f || next > Engine::kMaxMouseSensitivity + 1e-4f)
        return false;
    settings->padLookSensitivity = std::clamp(next, Engine::kMinMouseSensitivity, Engine::kMaxMouseSensitivity);
    settingsChanged();
    return true;
}

void ControlsScreen::togglePadInvert()
{
    settings->invertPadLook = !settings->invertPadLook;
    settingsChanged();
}

void ControlsScreen::settingsChanged()
{
    setText(*world, menu->element(ControlsNames::padLook), padLookText(settings->padLookSensitivity));
    setText(*world, menu->element(ControlsNames::padInvert), settings->invertPadLook ? "On" : "Off");
    if (links.apply)
        links.apply();
}

void ControlsScreen::awaitBinding(Action action)
{
    awaited = action;
    closingAfterRelease = false;
    showPrompt(action);
}

void ControlsScreen::showPrompt(Action action)
{
    closePrompt();
    const glm::vec2 window(UI::windowSize(*engine));
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const ECS::EntityId blocker = UI::createBlocker(*world, kPromptLayer, white, window.x, window.y);
    if (blocker == ECS::InvalidEntity)
        return;
    menu->addElement(ControlsNames::promptBlocker, blocker);
    const std::string text = std::string("Press a key or mouse button for ") + actionInfo(action).label +
                             " (Escape cancels)";
    const ECS::EntityId box =
        UI::createTextElement(*world, kPromptLayer + 1, glm::floor((window - kPromptSize) / 2.0f), kPromptSize, white,
                              Palette::panel, resources->engineFont, UI::kWhite, text, UI::AlignCentreX,
                              glm::vec2(0.0f));
    if (box != ECS::InvalidEntity)
        menu->addElement(ControlsNames::prompt, box);
}

void ControlsScreen::closePrompt()
{
    menu->removeElementIfPresent(ControlsNames::prompt);
    menu->removeElementIfPresent(ControlsNames::promptBlocker);
}

std::optional<InputBinding> ControlsScreen::takenBinding() const
{
    const Engine::KeyboardState& keys = *engine->keyboard;
    for (int scancode = SDL_SCANCODE_A; scancode < keys.numKeys; ++scancode) {
        if (keys.isPressed(scancode) && scancode != SDL_SCANCODE_ESCAPE)
            return InputBinding::key(SDL_Scancode(scancode));
    }
    // A game controller's A clicks as the left button does; it binds no mouse button.
    const Engine::GamepadState* pad = engine->gamepad.get();
    if (pad && pad->buttonDown(SDL_CONTROLLER_BUTTON_A))
        return std::nullopt;
    const Engine::MouseState& mouse = *engine->mouse;
    for (int button = 1; button <= kMouseButtons; ++button) {
        const InputBinding binding = InputBinding::mouseButton(button);
        if (Engine::bindingPressed(binding, keys, mouse))
            return binding;
    }
    if (mouse.wheel != 0)
        return mouse.wheel > 0 ? InputBinding::wheelUp() : InputBinding::wheelDown();
    return std::nullopt;
}

void ControlsScreen::tick()
{
    if (closingAfterRelease) {
        if (engine->mouse->buttons != 0)
            return;
        closingAfterRelease = false;
        closePrompt();
        return;
    }
    if (!awaited)
        return;
    if (engine->keyboard->isPressed(SDL_SCANCODE_ESCAPE)) {
        awaited.reset();
        closePrompt();
        return;
    }
    const std::optional<InputBinding> taken = takenBinding();
    if (!taken || !bindAction(*awaited, *taken))
        return;
    awaited.reset();
    if (engine->mouse->buttons != 0)
        closingAfterRelease = true;
    else
        closePrompt();
}

bool ControlsScreen::bindAction(Action action, InputBinding binding)
{
    if (!Engine::isBindable(binding))
        return false;
    const InputBinding before = settings->bindings[indexOf(action)];
    const std::optional<Action> swapped = Engine::bind(settings->bindings, action, binding);
    const std::string name = Engine::bindingDisplayName(binding);
    if (swapped)
        setStatus(name + " moved from " + actionInfo(*swapped).label + " to " + actionInfo(action).label + "; " +
                  actionInfo(*swapped).label + " now has " + Engine::bindingDisplayName(before));
    else
        setStatus(std::string(actionInfo(action).label) + ": " + name);
    showBindings();
    if (links.apply)
        links.apply();
    return true;
}

void ControlsScreen::restoreDefaults()
{
    settings->bindings = Engine::defaultBindings();
    setStatus("Every action has its default binding again");
    showBindings();
    if (links.apply)
        links.apply();
}

void ControlsScreen::showBindings()
{
    for (size_t i = 0; i < Engine::kActionCount; ++i)
        setText(*world, menu->element(ControlsNames::binding(Engine::kActionTable[i].action)),
                Engine::bindingDisplayName(settings->bindings[i]));
}

void ControlsScreen::setStatus(std::string text)
{
    status = std::move(text);
    setText(*world, menu->element(ControlsNames::status), status);
}

} // namespace Game
