#include "engine/config/inputbinding.h"

#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"

#include <algorithm>
#include <cctype>

namespace Engine {

namespace {

// The names of the mouse buttons SDL numbers 1 to 5, as the configuration file writes them.
constexpr const char* kMouseButtonNames[] = {"Mouse Left", "Mouse Middle", "Mouse Right", "Mouse 4", "Mouse 5"};
constexpr int kMouseButtonCount = int(std::size(kMouseButtonNames));
constexpr const char* kWheelUpName = "Wheel Up";
constexpr const char* kWheelDownName = "Wheel Down";

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A mouse binding held in this step, or (`edge`) gone down in it.
bool mouseButtonState(int button, const MouseState& mouse, bool edge)
{
    if (button < 1 || button > kMouseButtonCount)
        return false;
    const Uint32 mask = SDL_BUTTON(button);
    if ((mouse.buttons & mask) == 0)
        return false;
    return !edge || (mouse.previousButtons & mask) == 0 || (mouse.pressedAgain & mask) != 0;
}

bool validScancode(int code)
{
    return code > SDL_SCANCODE_UNKNOWN && code < SDL_NUM_SCANCODES;
}

} // namespace

Bindings defaultBindings()
{
    Bindings bindings;
    for (size_t i = 0; i < kActionCount; ++i)
        bindings[i] = kActionTable[i].defaultBinding;
    return bindings;
}

std::optional<Action> bind(Bindings& bindings, Action action, InputBinding binding)
{
    InputBinding& target = bindings[indexOf(action)];
    std::optional<Action> swapped;
    for (size_t i = 0; i < kActionCount; ++i) {
        if (i == indexOf(action) || bindings[i] != binding)
            continue;
        bindings[i] = target;
        swapped = kActionTable[i].action;
    }
    target = binding;
    return swapped;
}

std::string bindingText(const InputBinding& binding)
{
    switch (binding.kind) {
    case InputBinding::Kind::Key:
        return validScancode(binding.code) ? SDL_GetScancodeName(SDL_Scancode(binding.code)) : "";
    case InputBinding::Kind::MouseButton:
        return binding.code >= 1 && binding.code <= kMouseButtonCount ? kMouseButtonNames[binding.code - 1] : "";
    case InputBinding::Kind::WheelUp:
        return kWheelUpName;
    case InputBinding::Kind::WheelDown:
        return kWheelDownName;
    case InputBinding::Kind::None:
        break;
    }
    return "";
}

std::optional<InputBinding> parseBinding(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    for (int button = 1; button <= kMouseButtonCount; ++button) {
        if (sameIgnoringCase(text, kMouseButtonNames[button - 1]))
            return InputBinding::mouseButton(button);
    }
    if (sameIgnoringCase(text, kWheelUpName))
        return InputBinding::wheelUp();
    if (sameIgnoringCase(text, kWheelDownName))
        return InputBinding::wheelDown();
    const SDL_Scancode scancode = SDL_GetScancodeFromName(std::string(text).c_str());
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return std::nullopt;
    return InputBinding::key(scancode);
}

std::string bindingDisplayName(const InputBinding& binding)
{
    if (binding.kind == InputBinding::Kind::None)
        return "None";
    if (binding.kind != InputBinding::Kind::Key || !validScancode(binding.code))
        return bindingText(binding);
    const char* name = SDL_GetKeyName(SDL_GetKeyFromScancode(SDL_Scancode(binding.code)));
    return name && *name ? std::string(name) : bindingText(binding);
}

bool isBindable(const InputBinding& binding)
{
    if (binding.kind == InputBinding::Kind::Key)
        return validScancode(binding.code) && *SDL_GetScancodeName(SDL_Scancode(binding.code)) != '\0';
    return binding.kind != InputBinding::Kind::None && !bindingText(binding).empty();
}

namespace {

// Whether `binding` is held (`pressed` false) or went down in this step (`pressed` true); a wheel
// binding counts in a step with notches its way either way.
bool bindingActive(const InputBinding& binding, const KeyboardState& keyboard, const MouseState& mouse, bool pressed)
{
    switch (binding.kind) {
    case InputBinding::Kind::Key:
        return pressed ? keyboard.isPressed(binding.code) : keyboard.isDown(binding.code);
    case InputBinding::Kind::MouseButton:
        return mouseButtonState(binding.code, mouse, pressed);
    case InputBinding::Kind::WheelUp:
    case InputBinding::Kind::WheelDown:
        return bindingNotches(binding, mouse) > 0;
    case InputBinding::Kind::None:
        break;
    }
    return false;
}

} // namespace

bool bindingDown(const InputBinding& binding, const KeyboardState& keyboard, const MouseState& mouse)
{
    return bindingActive(binding, keyboard, mouse, false);
}

bool bindingPressed(const InputBinding& binding, const KeyboardState& keyboard, const MouseState& mouse)
{
    return bindingActive(binding, keyboard, mouse, true);
}

int bindingNotches(const InputBinding& binding, const MouseState& mouse)
{
    if (binding.kind == InputBinding::Kind::WheelUp)
        return std::max(mouse.wheel, 0);
    if (binding.kind == InputBinding::Kind::WheelDown)
        return std::max(-mouse.wheel, 0);
    return 0;
}

} // namespace Engine
