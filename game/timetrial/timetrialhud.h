#pragma once
// The time trial's read-outs, as UI texts over the play view: the running time (or "PRACTICE") at
// the top centre, the split against the best below it (green when ahead, red when behind), and at
// the finish the time, the best and "New best!" over the keys that go on: "Retry (R)" and
// "Back to menu (Esc)". A text is laid out again only when it changed.
#include "engine/ecs/ecstypes.h"

#include <glm/vec4.hpp>

#include <array>
#include <string>

namespace ECS {
class EntityManager;
}
namespace Engine {
class EngineCore;
}

namespace Game {

class RenderResources;
class TimeTrial;

class TimeTrialHud {
public:
    // The read-outs: time, split, finish time, best and new best.
    static constexpr uint32_t kElements = 5;
    static constexpr int32_t kLayer = 0;

    TimeTrialHud(ECS::EntityManager& world, Engine::EngineCore& engine, const RenderResources& resources);
    ~TimeTrialHud();
    TimeTrialHud(const TimeTrialHud&) = delete;
    TimeTrialHud& operator=(const TimeTrialHud&) = delete;

    // Shows `trial` as it stands; builds the read-outs first when they are not there.
    void show(const TimeTrial& trial);
    // Takes every read-out down.
    void hide();
    // The text of a read-out as shown ("" when hidden), for tests and the autoplay checks.
    enum Slot : size_t { Time, Split, FinishTime, FinishBest, NewBest };
    const std::string& text(Slot slot) const { return shown[slot]; }

private:
    void build();
    void setText(Slot slot, const std::string& text, glm::vec4 color);

    ECS::EntityManager* world;
    Engine::EngineCore* engine;
    const RenderResources* resources;
    std::array<ECS::EntityId, kElements> elements{};
    std::array<std::string, kElements> shown{};
    bool built = false;
};

} // namespace Game
