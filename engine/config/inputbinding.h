#pragma once
// The player's bindable actions and what each is bound to: a key by its SDL scancode (the
// physical key, so that every keyboard layout plays alike), a mouse button or a wheel direction.
#include <SDL.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Engine {

struct KeyboardState;
struct MouseState;

struct InputBinding {
    enum class Kind : uint8_t { None, Key, MouseButton, WheelUp, WheelDown };
    Kind kind = Kind::None;
    int code = 0; // Key: the SDL scancode; MouseButton: SDL's button number (1 left, 2 middle, 3 right, 4, 5)

    static constexpr InputBinding key(SDL_Scancode scancode) { return {Kind::Key, int(scancode)}; }
    static constexpr InputBinding mouseButton(int button) { return {Kind::MouseButton, button}; }
    static constexpr InputBinding wheelUp() { return {Kind::WheelUp, 0}; }
    static constexpr InputBinding wheelDown() { return {Kind::WheelDown, 0}; }

    bool operator==(const InputBinding& other) const { return kind == other.kind && code == other.code; }
    bool operator!=(const InputBinding& other) const { return !(*this == other); }
};

// Every action the player can bind, one line each: its name in code, its key in the
// configuration file, its label on the Controls screen and its default binding.
#define TX_PLAYER_ACTIONS(X)                                                                     \
    X(forward, "bind_forward", "Forward", InputBinding::key(SDL_SCANCODE_W))                     \
    X(back, "bind_back", "Back", InputBinding::key(SDL_SCANCODE_S))                              \
    X(left, "bind_left", "Left", InputBinding::key(SDL_SCANCODE_A))                              \
    X(right, "bind_right", "Right", InputBinding::key(SDL_SCANCODE_D))                           \
    X(jump, "bind_jump", "Jump", InputBinding::key(SDL_SCANCODE_SPACE))                          \
    X(rope, "bind_rope", "Rope", InputBinding::mouseButton(SDL_BUTTON_LEFT))                     \
    X(reelIn, "bind_reel_in", "Reel in", InputBinding::wheelUp())                                \
    X(reelOut, "bind_reel_out", "Reel out", InputBinding::wheelDown())                           \
    X(pause, "bind_pause", "Pause", InputBinding::key(SDL_SCANCODE_ESCAPE))                      \
    X(restart, "bind_restart", "Restart", InputBinding::key(SDL_SCANCODE_R))                     \
    X(practice, "bind_practice", "Practice", InputBinding::key(SDL_SCANCODE_P))                  \
    X(saveState, "bind_save_state", "Save state", InputBinding::key(SDL_SCANCODE_F5))            \
    X(restoreState, "bind_restore_state", "Restore", InputBinding::key(SDL_SCANCODE_F9))

enum class Action : uint8_t {
#define TX_ACTION_ENUM(name, configKey, label, binding) name,
    TX_PLAYER_ACTIONS(TX_ACTION_ENUM)
#undef TX_ACTION_ENUM
};

struct ActionInfo {
    Action action;
    const char* configKey;
    const char* label;
    InputBinding defaultBinding;
};

inline constexpr ActionInfo kActionTable[] = {
#define TX_ACTION_INFO(name, configKey, label, binding) {Action::name, configKey, label, binding},
    TX_PLAYER_ACTIONS(TX_ACTION_INFO)
#undef TX_ACTION_INFO
};
inline constexpr size_t kActionCount = std::size(kActionTable);

// One binding per action, indexed by the action.
using Bindings = std::array<InputBinding, kActionCount>;

inline constexpr size_t indexOf(Action action) { return static_cast<size_t>(action); }
inline constexpr const ActionInfo& actionInfo(Action action) { return kActionTable[indexOf(action)]; }

// The default binding of every action.
Bindings defaultBindings();

// Binds `action` to `binding`. When another action held `binding`, that action takes the
// binding `action` had (the two swap) and is returned.
std::optional<Action> bind(Bindings& bindings, Action action, InputBinding binding);

// How the configuration file writes `binding`: the scancode's fixed (US layout) name ("W",
// "Space", "Left Shift"), "Mouse Left", "Mouse Middle", "Mouse Right", "Mouse 4", "Mouse 5",
// "Wheel Up", "Wheel Down"; "" for None.
std::string bindingText(const InputBinding& binding);
// Reads bindingText's form back (ignoring case); none for a text it does not name.
std::optional<InputBinding> parseBinding(std::string_view text);
// How the player sees `binding`: a key by the name its physical key has in the current keyboard
// layout ("Z" for the scancode of W on an AZERTY keyboard), the rest as bindingText, "None" for None.
std::string bindingDisplayName(const InputBinding& binding);
// Whether `binding` can be bound: a key with a name, a mouse button 1 to 5, a wheel direction.
bool isBindable(const InputBinding& binding);

// `binding` is held in this step (a wheel direction: the step has notches that way).
bool bindingDown(const InputBinding& binding, const KeyboardState& keyboard, const MouseState& mouse);
// `binding` went down in this step (a wheel direction: the step has notches that way).
bool bindingPressed(const InputBinding& binding, const KeyboardState& keyboard, const MouseState& mouse);
// The wheel notches of the step in `binding`'s direction (0 for keys and buttons).
int bindingNotches(const InputBinding& binding, const MouseState& mouse);

} // namespace Engine
