#include "game/ui/uitextinputsystem.h"

#include "engine/core/enginecore.h"
#include "engine/core/log.h"
#include "engine/ecs/entitymanager.h"
#include "game/ui/uicomponents.h"

#include <utf8cpp/utf8.h>

#include <functional>
#include <iterator>

namespace UI::System {

using Component::UIclickableComponent;
using Component::UItextComponent;
using Component::UItextInputComponent;

namespace {

constexpr uint32_t kReplacementCharacter = 0xFFFD;

std::size_t encodedLength(uint32_t codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    if (codePoint < 0x10000)
        return 3;
    return 4;
}

// Appends the code points of `typed` that the filter takes, as long as the text stays within the
// field's limit. Malformed UTF-8 arrives as U+FFFD. Answers false when something was refused for
// lack of room.
bool appendTyped(std::string& text, const std::string& typed, const UItextInputComponent::Filter& filter)
{
    std::string valid;
    utf8::replace_invalid(typed.begin(), typed.end(), std::back_inserter(valid), kReplacementCharacter);
    bool allTaken = true;
    for (auto at = valid.begin(); at != valid.end();) {
        const uint32_t codePoint = utf8::unchecked::next(at);
        if (filter && !filter(text, codePoint))
            continue;
        if (text.size() + encodedLength(codePoint) > UItextInputComponent::kMaxTextBytes) {
            allTaken = false;
            continue;
        }
        utf8::unchecked::append(codePoint, std::back_inserter(text));
    }
    return allTaken;
}

// Cuts the last UTF-8 character: back over continuation bytes (10xxxxxx) to its lead byte.
void removeLastCharacter(std::string& text)
{
    std::size_t cut = text.size();
    while (cut > 0) {
        --cut;
        if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80)
            break;
    }
    text.resize(cut);
}

} // namespace

UItextInputSystem::UItextInputSystem(ECS::EntityManager& manager, Engine::EngineCore& engine)
    : ECS::ComponentSystem(manager, {ECS::ComponentId::UItext, ECS::ComponentId::UItextInput}), engine(&engine)
{
}

void UItextInputSystem::onEntityAdded(ECS::EntityId entity)
{
    if (focusedFields++ == 0)
        engine->loopSource().startTextInput();
    manager->getComponent<UItextInputComponent>(entity).originalText = manager->getComponent<UItextComponent>(entity).text;
}

void UItextInputSystem::onEntityRemoved(ECS::EntityId)
{
    if (--focusedFields == 0)
        engine->loopSource().stopTextInput();
}

void UItextInputSystem::processEntity(ECS::EntityId entity, float)
{
    const Engine::KeyboardState& keys = *engine->keyboard;
    const bool escape = keys.isPressed(SDL_SCANCODE_ESCAPE);
    const bool confirm = keys.isPressed(SDL_SCANCODE_RETURN);
    if (escape) {
        finishEditing(entity, true);
        return;
    }
    const bool backspace = keys.isPressed(SDL_SCANCODE_BACKSPACE);
    // Typing in the update of Return still belongs to what is confirmed.
    if (!engine->textInput.empty() || backspace)
        editText(entity, backspace);
    if (confirm)
        finishEditing(entity, false);
}

void UItextInputSystem::finishEditing(ECS::EntityId entity, bool cancelled)
{
    const UItextInputComponent& input = manager->getComponent<UItextInputComponent>(entity);
    // Copies: the component is on its way out and the callbacks may change the world.
    const std::function<void()> action = cancelled ? input.onCancel : input.onConfirm;
    const std::string originalText = input.originalText;
    manager->removeComponent<UItextInputComponent>(entity);
    if (cancelled)
        manager->getComponent<UItextComponent>(entity).setText(originalText);
    if (manager->hasComponent<UIclickableComponent>(entity))
        manager->getComponent<UIclickableComponent>(entity).stateLocked = false;
    if (action)
        action();
}

void UItextInputSystem::editText(ECS::EntityId entity, bool backspace)
{
    UItextComponent& field = manager->getComponent<UItextComponent>(entity);
    const UItextInputComponent::Filter& filter = manager->getComponent<UItextInputComponent>(entity).filter;
    scratch = field.text;
    bool allTaken = true;
    for (const std::string& typed : engine->textInput)
        allTaken = appendTyped(scratch, typed, filter) && allTaken;
    if (!allTaken)
        Engine::logf("UI: the text field is full (%zu bytes); the rest of the typed text was refused\n",
                     UItextInputComponent::kMaxTextBytes);
    if (backspace)
        removeLastCharacter(scratch);
    if (scratch == field.text)
        return;
    field.setText(scratch);
    // A copy: the action may change the world.
    const std::function<void()> onChange = manager->getComponent<UItextInputComponent>(entity).onChange;
    if (onChange)
        onChange();
}

} // namespace UI::System
