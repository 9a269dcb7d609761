#include "game/timetrial/finishpanel.h"

#include "engine/ecs/entitymanager.h"
#include "game/resources/renderresources.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

namespace Game {

namespace {

constexpr glm::vec2 kButtonSize{220.0f, 48.0f};
constexpr float kGap = 16.0f;
// The box's top edge below the window's top edge, under the finish read-outs.
constexpr float kBoxTop = 330.0f;
constexpr glm::vec4 kRetryColor{0.0f, 1.0f, 0.0f, 0.4f};
constexpr glm::vec4 kButtonColor{0.35f, 0.35f, 0.35f, 0.5f};

} // namespace

FinishPanel::FinishPanel(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources)
    : world(&world), engine(&engine), resources(&resources)
{
    buttons.fill(ECS::InvalidEntity);
}

FinishPanel::~FinishPanel()
{
    close();
}

void FinishPanel::open(Actions actions)
{
    if (shown() || !UI::roomFor(*world, 1 + kButtons, "the finish panel"))
        return;
    const size_t count = actions.next ? 3 : 2;
    const glm::vec2 window(UI::windowSize(*engine));
    const glm::vec2 size(float(count) * kButtonSize.x + float(count + 1) * kGap, kButtonSize.y + 2.0f * kGap);
    const glm::vec2 corner(glm::floor(window.x / 2.0f - size.x / 2.0f), window.y - kBoxTop - size.y);
    box = UI::createBackground(*world, kBoxLayer, corner, size, resources->whiteTexture.get(), UI::Palette::panel);
    const std::function<void()> order[] = {actions.retry, actions.next, actions.backToMenu};
    const char* const texts[] = {kRetryText, kNextText, kBackText};
    glm::vec2 at = corner + glm::vec2(kGap);
    for (size_t i = 0; i < kButtons; ++i) {
        if (i == Next && !actions.next)
            continue;
        const UI::ButtonStyle style{resources->whiteTexture.get(), i == Retry ? kRetryColor : kButtonColor,
                                    UI::Palette::hoverTint, UI::Palette::pressedTint, kButtonLayer};
        buttons[i] = UI::createButton(*world, kButtonLayer, at, kButtonSize, style, {&resources->engineFont, texts[i]},
                                      order[i]);
        at.x += kButtonSize.x + kGap;
    }
}

void FinishPanel::close()
{
    for (ECS::EntityId& button : buttons) {
        if (button != ECS::InvalidEntity)
            UI::destroyElement(*world, button);
        button = ECS::InvalidEntity;
    }
    if (box != ECS::InvalidEntity)
        UI::destroyElement(*world, box);
    box = ECS::InvalidEntity;
}

} // namespace Game
