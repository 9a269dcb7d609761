#include "game/timetrial/timetrialhud.h"

#include "engine/ecs/entitymanager.h"
#include "game/resources/renderresources.h"
#include "game/timetrial/timetrial.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uielements.h"
#include "game/ui/uipalette.h"
#include "game/ui/windowsize.h"

namespace Game {

namespace {

constexpr glm::vec4 kAhead{0.3f, 1.0f, 0.3f, 1.0f};
constexpr glm::vec4 kBehind{1.0f, 0.3f, 0.3f, 1.0f};
constexpr glm::vec4 kGold{1.0f, 0.85f, 0.2f, 1.0f};
// Each read-out's row below the window's top edge, in pixels, and the rows' size.
constexpr float kRowTop[TimeTrialHud::kElements] = {60.0f, 100.0f, 200.0f, 240.0f, 280.0f};
constexpr glm::vec2 kRowSize{600.0f, 36.0f};

} // namespace

TimeTrialHud::TimeTrialHud(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources)
    : world(&world), engine(&engine), resources(&resources)
{
    elements.fill(ECS::InvalidEntity);
}

TimeTrialHud::~TimeTrialHud()
{
    hide();
}

void TimeTrialHud::build()
{
    if (!UI::roomFor(*world, kElements, "the time trial's read-outs"))
        return;
    const glm::vec2 window(UI::windowSize(*engine));
    for (size_t i = 0; i < kElements; ++i) {
        const glm::vec2 position(glm::floor(window.x / 2.0f - kRowSize.x / 2.0f), window.y - kRowTop[i]);
        elements[i] = UI::createTextElement(*world, kLayer, position, kRowSize, resources->whiteTexture.get(),
                                            UI::Palette::transparent, resources->engineFont, UI::kWhite, "",
                                            UI::AlignCentreX, glm::vec2(0.0f));
        shown[i].clear();
    }
    built = true;
}

void TimeTrialHud::hide()
{
    for (ECS::EntityId& element : elements) {
        if (element != ECS::InvalidEntity && world->isAlive(element))
            UI::destroyElement(*world, element);
        element = ECS::InvalidEntity;
    }
    shown.fill(std::string());
    built = false;
}

void TimeTrialHud::setText(Slot slot, const std::string& text, glm::vec4 color)
{
    if (shown[slot] == text)
        return;
    shown[slot] = text;
    const ECS::EntityId element = elements[slot];
    if (element == ECS::InvalidEntity || !world->hasComponent<Component::UItextComponent>(element))
        return;
    auto& label = world->getComponent<Component::UItextComponent>(element);
    label.color = color;
    label.setText(text);
}

void TimeTrialHud::show(const TimeTrial& trial)
{
    if (!built)
        build();
    setText(Time, trial.timerText(), UI::kWhite);
    const std::optional<TimeTrial::Split> split = trial.split();
    setText(Split, split ? split->text : std::string(), split && split->ahead ? kAhead : kBehind);
    setText(FinishTime, trial.finishTimeText(), UI::kWhite);
    setText(FinishBest, trial.finishBestText(), UI::kWhite);
    const bool finished = trial.run().phase() == RunPhase::Finished;
    setText(NewBest, finished && trial.newBest() ? "New best!" : "", kGold);
}

} // namespace Game
