#include "game/menu/optionsscreen.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/menu/menu.h"
#include "game/resources/renderresources.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

namespace Game {

namespace {

namespace Palette = UI::Palette;

constexpr float kPanelX = 32.0f;
constexpr float kPanelWidth = 576.0f;
constexpr float kLabelX = 56.0f;
constexpr glm::vec2 kLabelSize{216.0f, 40.0f};
constexpr float kLessX = 280.0f;
constexpr float kValueX = 324.0f;
constexpr float kMoreX = 544.0f;
constexpr glm::vec2 kStepperSize{40.0f, 40.0f};
constexpr glm::vec2 kValueSize{216.0f, 40.0f};
constexpr glm::vec2 kTitleSize{kPanelWidth, 48.0f};
constexpr glm::vec2 kBackSize{256.0f, 48.0f};
// Rows from the middle of the window: the first row's bottom edge, and the spacing.
constexpr float kFirstRowAboveMiddle = 136.0f;
constexpr float kRowSpacing = 44.0f;
constexpr float kTitleAboveMiddle = 184.0f;
constexpr float kBackBelowMiddle = 232.0f;

constexpr glm::vec4 kValueColor{1.0f, 1.0f, 1.0f, 0.1f};
constexpr glm::vec4 kLabelColor{0.75f, 0.75f, 0.75f, 1.0f};
constexpr glm::vec4 kDimmed{0.35f, 0.35f, 0.35f, 1.0f};
constexpr int32_t kPanelLayer = 0;
constexpr int32_t kControlLayer = 1;
constexpr int32_t kButtonPriority = 1;
// "Controls" at the right of the title row, over the title's own element.
constexpr glm::vec2 kControlsSize{140.0f, 40.0f};
constexpr float kControlsRightMargin = 16.0f;
constexpr int32_t kControlsPriority = 2;

// The swap intervals in the order the stepper walks them.
constexpr int32_t kSwapIntervals[] = {0, 1, -1};
// The render scales in the order the stepper walks them.
constexpr int32_t kRenderScales[] = {Engine::kRenderScaleAuto, 100, 75, 50};

// Where `scale` stands in kRenderScales; a scale not chosen yet stands at 100%.
long renderScaleIndex(int32_t scale)
{
    const auto* const at = std::find(std::begin(kRenderScales), std::end(kRenderScales), scale);
    return at == std::end(kRenderScales) ? 1 : long(at - std::begin(kRenderScales));
}

const char* rowName(Option option)
{
    switch (option) {
    case Option::resolution:
        return "resolution";
    case Option::fullscreen:
        return "fullscreen";
    case Option::vsync:
        return "vsync";
    case Option::mouseSensitivity:
        return "sensitivity";
    case Option::fieldOfView:
        return "fov";
    case Option::invertMouse:
        return "invert";
    case Option::renderScale:
        return "renderscale";
    case Option::ghost:
        return "ghost";
    }
    return "";
}

bool isToggle(Option option)
{
    return option == Option::fullscreen || option == Option::invertMouse || option == Option::ghost;
}

const char* onOff(bool on) { return on ? "On" : "Off"; }

// The next multiple of `grid` (in grid units, `value` / grid) above or below `units`; a value
// between two multiples goes to the nearer one that way, a value on one to its neighbour.
float nextOnGrid(float units, int direction)
{
    constexpr float kSlack = 1e-3f;
    return direction > 0 ? std::floor(units + kSlack) + 1.0f : std::ceil(units - kSlack) - 1.0f;
}

void setText(ECS::EntityManager& world, ECS::EntityId element, std::string_view text, const glm::vec4* color = nullptr)
{
    if (!world.hasComponent<Component::UItextComponent>(element))
        return;
    Component::UItextComponent& shown = world.getComponent<Component::UItextComponent>(element);
    if (shown.text != text)
        shown.setText(text);
    if (color)
        shown.color = *color;
}

} // namespace

namespace OptionsNames {
std::string label(Option option) { return std::string("Options_") + rowName(option) + "_label"; }
std::string value(Option option) { return std::string("Options_") + rowName(option) + "_value"; }
std::string less(Option option) { return std::string("Options_") + rowName(option) + "_less"; }
std::string more(Option option) { return std::string("Options_") + rowName(option) + "_more"; }
} // namespace OptionsNames

OptionsScreen::OptionsScreen(ECS::EntityManager& world, Menu& menu, Engine::EngineCore& engine,
                             const RenderResources& resources, Engine::Settings& settings, Links links)
    : world(&world), menu(&menu), engine(&engine), resources(&resources), settings(&settings), links(std::move(links)),
      controlsScreen(world, menu, engine, resources, settings, {this->links.apply, [this] { showOptions(); }})
{
}

std::string OptionsScreen::valueText(Option option, const Engine::Settings& s)
{
    char text[32];
    switch (option) {
    case Option::resolution:
        return std::to_string(s.width) + " \u00d7 " + std::to_string(s.height);
    case Option::fullscreen:
        return onOff(s.fullscreen);
    case Option::vsync:
        return s.swapInterval == 0 ? "Off" : s.swapInterval > 0 ? "On" : "Adaptive";
    case Option::mouseSensitivity: {
        // Tenths as the stepper makes them; a finer value written by hand keeps its hundredths.
        const float tenths = s.mouseSensitivity * 10.0f;
        const bool onGrid = std::fabs(tenths - std::round(tenths)) < 1e-3f;
        std::snprintf(text, sizeof text, onGrid ? "%.1f" : "%.2f", static_cast<double>(s.mouseSensitivity));
        return text;
    }
    case Option::fieldOfView:
        return std::to_string(s.fieldOfView) + "\u00b0";
    case Option::invertMouse:
        return onOff(s.invertMouse);
    case Option::ghost:
        return onOff(s.ghost);
    case Option::renderScale:
        return s.renderScale == Engine::kRenderScaleAuto
                   ? "Auto"
                   : std::to_string(kRenderScales[renderScaleIndex(s.renderScale)]) + "%";
    }
    return {};
}

std::vector<glm::ivec2> OptionsScreen::resolutions() const
{
    std::vector<glm::ivec2> sizes;
    if (links.displayModes)
        sizes = links.displayModes();
    sizes.emplace_back(settings->width, settings->height);
    const auto unusable = [this](glm::ivec2 size) {
        const bool present = size == glm::ivec2(settings->width, settings->height);
        const bool fits = size.x >= kSmallestWindow.x && size.y >= kSmallestWindow.y;
        return !present && (!fits || size.x > Engine::kMaxWindowSize || size.y > Engine::kMaxWindowSize);
    };
    sizes.erase(std::remove_if(sizes.begin(), sizes.end(), unusable), sizes.end());
    const auto smaller = [](glm::ivec2 a, glm::ivec2 b) {
        const long areaA = long(a.x) * a.y;
        const long areaB = long(b.x) * b.y;
        return areaA != areaB ? areaA < areaB : a.x < b.x;
    };
    std::sort(sizes.begin(), sizes.end(), smaller);
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

bool OptionsScreen::take(const Engine::Settings& changed)
{
    if (changed != *settings) {
        *settings = changed;
        if (links.apply)
            links.apply();
    }
    showValues();
    return true;
}

bool OptionsScreen::setResolution(glm::ivec2 size)
{
    const std::vector<glm::ivec2> offered = resolutions();
    if (std::find(offered.begin(), offered.end(), size) == offered.end())
        return false;
    Engine::Settings changed = *settings;
    changed.width = size.x;
    changed.height = size.y;
    return take(changed);
}

bool OptionsScreen::setFullscreen(bool on)
{
    Engine::Settings changed = *settings;
    changed.fullscreen = on;
    return take(changed);
}

bool OptionsScreen::setSwapInterval(int32_t interval)
{
    if (interval < Engine::kMinSwapInterval || interval > Engine::kMaxSwapInterval)
        return false;
    Engine::Settings changed = *settings;
    changed.swapInterval = interval;
    return take(changed);
}

bool OptionsScreen::setMouseSensitivity(float sensitivity)
{
    if (!std::isfinite(sensitivity) || sensitivity < Engine::kMinMouseSensitivity - 1e-4f ||
        sensitivity > Engine::kMaxMouseSensitivity + 1e-4f)
        return false;
    Engine::Settings changed = *settings;
    changed.mouseSensitivity = std::clamp(sensitivity, Engine::kMinMouseSensitivity, Engine::kMaxMouseSensitivity);
    return take(changed);
}

bool OptionsScreen::setFieldOfView(int32_t degrees)
{
    if (degrees < Engine::kMinFieldOfView || degrees > Engine::kMaxFieldOfView)
        return false;
    Engine::Settings changed = *settings;
    changed.fieldOfView = degrees;
    return take(changed);
}

bool OptionsScreen::setInvertMouse(bool on)
{
    Engine::Settings changed = *settings;
    changed.invertMouse = on;
    return take(changed);
}

bool OptionsScreen::setGhost(bool on)
{
    Engine::Settings changed = *settings;
    changed.ghost = on;
    return take(changed);
}

bool OptionsScreen::setRenderScale(int32_t percent)
{
    if (std::find(std::begin(kRenderScales), std::end(kRenderScales), percent) == std::end(kRenderScales))
        return false;
    Engine::Settings changed = *settings;
    changed.renderScale = percent;
    return take(changed);
}

bool OptionsScreen::step(Option option, int direction)
{
    switch (option) {
    case Option::resolution: {
        const std::vector<glm::ivec2> offered = resolutions();
        const auto at = std::find(offered.begin(), offered.end(), glm::ivec2(settings->width, settings->height));
        const long next = long(at - offered.begin()) + (direction > 0 ? 1 : -1);
        return next >= 0 && next < long(offered.size()) && setResolution(offered[size_t(next)]);
    }
    case Option::fullscreen:
        return setFullscreen(!settings->fullscreen);
    case Option::vsync: {
        const auto* const begin = std::begin(kSwapIntervals);
        const auto* const at = std::find(begin, std::end(kSwapIntervals), settings->swapInterval);
        const long next = long(at - begin) + (direction > 0 ? 1 : -1);
        return next >= 0 && next < long(std::size(kSwapIntervals)) && setSwapInterval(kSwapIntervals[next]);
    }
    case Option::mouseSensitivity:
        return setMouseSensitivity(nextOnGrid(settings->mouseSensitivity / Engine::kMouseSensitivityStep, direction) *
                                   Engine::kMouseSensitivityStep);
    case Option::fieldOfView:
        return setFieldOfView(static_cast<int32_t>(
            nextOnGrid(float(settings->fieldOfView) / float(Engine::kFieldOfViewStep), direction) *
            float(Engine::kFieldOfViewStep)));
    case Option::invertMouse:
        return setInvertMouse(!settings->invertMouse);
    case Option::ghost:
        return setGhost(!settings->ghost);
    case Option::renderScale: {
        const long next = renderScaleIndex(settings->renderScale) + (direction > 0 ? 1 : -1);
        return next >= 0 && next < long(std::size(kRenderScales)) && setRenderScale(kRenderScales[next]);
    }
    }
    return false;
}

bool OptionsScreen::canStep(Option option, int direction) const
{
    switch (option) {
    case Option::resolution: {
        const std::vector<glm::ivec2> offered = resolutions();
        const glm::ivec2 present(settings->width, settings->height);
        return direction > 0 ? offered.back() != present : offered.front() != present;
    }
    case Option::vsync:
        return direction > 0 ? settings->swapInterval != kSwapIntervals[std::size(kSwapIntervals) - 1]
                             : settings->swapInterval != kSwapIntervals[0];
    case Option::mouseSensitivity:
        return direction > 0 ? settings->mouseSensitivity < Engine::kMaxMouseSensitivity - 1e-4f
                             : settings->mouseSensitivity > Engine::kMinMouseSensitivity + 1e-4f;
    case Option::fieldOfView:
        return direction > 0 ? settings->fieldOfView < Engine::kMaxFieldOfView
                             : settings->fieldOfView > Engine::kMinFieldOfView;
    case Option::renderScale: {
        const long at = renderScaleIndex(settings->renderScale);
        return direction > 0 ? at + 1 < long(std::size(kRenderScales)) : at > 0;
    }
    case Option::fullscreen:
    case Option::invertMouse:
    case Option::ghost:
        return true;
    }
    return false;
}

bool OptionsScreen::shown() const
{
    return menu->hasElement(OptionsNames::panel) || controlsScreen.shown();
}

void OptionsScreen::tick()
{
    controlsScreen.tick();
    if (engine->keyboard->isPressed(SDL_SCANCODE_ESCAPE) && shown() && !UI::popupOpen(*world))
        goBack();
}

void OptionsScreen::goBack()
{
    if (controlsScreen.shown())
        controlsScreen.goBack();
    else if (links.back)
        links.back();
}

void OptionsScreen::showOptions()
{
    menu->clear();
    build();
}

void OptionsScreen::addControlsButton(float titleY)
{
    const UI::ButtonStyle style{resources->whiteTexture.get(), kValueColor, Palette::hoverTint, Palette::pressedTint,
                                kControlsPriority};
    const glm::vec2 position{kPanelX + kPanelWidth - kControlsRightMargin - kControlsSize.x, titleY + 4.0f};
    const ECS::EntityId button = UI::createButton(*world, kControlLayer, position, kControlsSize, style,
                                                  {&resources->engineFont, "Controls", UI::kWhite},
                                                  [this] { controlsScreen.build(); });
    if (button != ECS::InvalidEntity)
        menu->addElement(OptionsNames::controls, button);
}

glm::vec4 OptionsScreen::stepperColor(Option option, int direction) const
{
    return canStep(option, direction) ? UI::kWhite : kDimmed;
}

void OptionsScreen::addButton(const std::string& name, std::string_view text, glm::vec2 position, glm::vec2 size,
                              std::function<void()> action, glm::vec4 textColor, glm::vec4 color)
{
    const UI::ButtonStyle style{resources->whiteTexture.get(), color, Palette::hoverTint, Palette::pressedTint,
                                kButtonPriority};
    const ECS::EntityId button = UI::createButton(*world, kControlLayer, position, size, style,
                                                  {&resources->engineFont, text, textColor}, std::move(action));
    if (button != ECS::InvalidEntity)
        menu->addElement(name, button);
}

void OptionsScreen::addRow(Option option, const char* label, float y)
{
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();
    const Engine::GFX::Font& font = resources->engineFont;
    const ECS::EntityId labelElement =
        UI::createTextElement(*world, kControlLayer, {kLabelX, y}, kLabelSize, white, Palette::transparent, font,
                              kLabelColor, label, UI::AlignLeft, glm::vec2(0.0f));
    if (labelElement != ECS::InvalidEntity)
        menu->addElement(OptionsNames::label(option), labelElement);

    if (isToggle(option)) {
        addButton(OptionsNames::value(option), valueText(option, *settings), {kValueX, y}, kValueSize,
                  [this, option] { step(option, 1); }, UI::kWhite, kValueColor);
        return;
    }
    const ECS::EntityId valueElement =
        UI::createTextElement(*world, kControlLayer, {kValueX, y}, kValueSize, white, kValueColor, font, UI::kWhite,
                              valueText(option, *settings), UI::AlignCentreX, glm::vec2(0.0f));
    if (valueElement == ECS::InvalidEntity)
        return;
    menu->addElement(OptionsNames::value(option), valueElement);
    addButton(OptionsNames::less(option), "<", {kLessX, y}, kStepperSize, [this, option] { step(option, -1); },
              stepperColor(option, -1));
    addButton(OptionsNames::more(option), ">", {kMoreX, y}, kStepperSize, [this, option] { step(option, 1); },
              stepperColor(option, 1));
}

void OptionsScreen::build()
{
    if (controlsScreen.shown()) {
        controlsScreen.build();
        return;
    }
    menu->clear();
    const float middle = static_cast<float>(UI::windowSize(*engine).y / 2);
    const float height = static_cast<float>(UI::windowSize(*engine).y);
    const Engine::GFX::Texture2D* white = resources->whiteTexture.get();

    const ECS::EntityId panel = UI::createBackground(*world, kPanelLayer, {kPanelX, 0.0f}, {kPanelWidth, height},
                                                     white, Palette::panel);
    if (panel == ECS::InvalidEntity)
        return;
    menu->addElement(OptionsNames::panel, panel);
    const ECS::EntityId title =
        UI::createTextElement(*world, kControlLayer, {kPanelX, middle + kTitleAboveMiddle}, kTitleSize, white,
                              Palette::transparent, resources->engineFont, UI::kWhite, "Options", UI::AlignCentreX,
                              glm::vec2(0.0f));
    if (title != ECS::InvalidEntity)
        menu->addElement(OptionsNames::title, title);
    addControlsButton(middle + kTitleAboveMiddle);

    const char* const labels[] = {"Resolution", "Full screen", "Vsync", "Mouse sensitivity", "Field of view",
                                  "Invert mouse", "Render scale", "Ghost"};
    for (size_t row = 0; row < kOptions.size(); ++row)
        addRow(kOptions[row], labels[row], middle + kFirstRowAboveMiddle - float(row) * kRowSpacing);
    addButton(OptionsNames::back, "Back", {kPanelX + (kPanelWidth - kBackSize.x) / 2.0f, middle - kBackBelowMiddle},
              kBackSize, [this] { goBack(); });
}

void OptionsScreen::showValues()
{
    for (const Option option : kOptions) {
        setText(*world, menu->element(OptionsNames::value(option)), valueText(option, *settings));
        if (isToggle(option))
            continue;
        for (const int direction : {-1, 1}) {
            const std::string& name = direction < 0 ? OptionsNames::less(option) : OptionsNames::more(option);
            const glm::vec4 color = stepperColor(option, direction);
            setText(*world, menu->element(name), direction < 0 ? "<" : ">", &color);
        }
    }
}

} // namespace Game
