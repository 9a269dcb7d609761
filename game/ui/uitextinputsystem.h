#pragma once
// Typing into the focused text field: text is appended at the end as it arrives, Backspace removes
// the last character, Return confirms (with whatever was typed in its update) and Escape cancels
// (Escape wins when both come in one update). The system turns the platform's text input on
// while at least one field is focused.
#include "engine/ecs/componentsystem.h"

#include <cstddef>
#include <string>

namespace Engine {
class EngineCore;
}

namespace UI::System {

class UItextInputSystem : public ECS::ComponentSystem {
public:
    static constexpr const char* systemName = "UItextInputSystem";

    // Reads the keyboard snapshot and the typed text of the update from `engine`, and asks its
    // loop source to start and stop text input.
    UItextInputSystem(ECS::EntityManager& manager, Engine::EngineCore& engine);

    void processEntity(ECS::EntityId entity, float alpha) override;
    void onEntityAdded(ECS::EntityId entity) override;
    void onEntityRemoved(ECS::EntityId entity) override;

private:
    // Return or Escape: the focus goes, then the edit is confirmed or the text restored.
    void finishEditing(ECS::EntityId entity, bool cancelled);
    // The field's text with this update's typing appended and, after it, a Backspace applied.
    void editText(ECS::EntityId entity, bool backspace);

    Engine::EngineCore* engine;
    std::size_t focusedFields = 0;
    std::string scratch; // the text being edited; keeps its capacity between updates
};

} // namespace UI::System
