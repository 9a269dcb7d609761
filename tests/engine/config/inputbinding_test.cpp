#include "engine/config/inputbinding.h"

#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"

#include <gtest/gtest.h>

#include <array>

using Engine::Action;
using Engine::InputBinding;

namespace {

// A keyboard snapshot of one step with the keys of `held` down.
struct Keys {
    explicit Keys(std::initializer_list<SDL_Scancode> held)
    {
        for (const SDL_Scancode key : held)
            live[key] = 1;
        state.refresh();
    }
    std::array<Uint8, SDL_NUM_SCANCODES> live{};
    Engine::KeyboardState state{live.data(), SDL_NUM_SCANCODES};
};

} // namespace

TEST(InputBindingTest, EveryKindReadsBackFromItsConfigurationText)
{
    for (const InputBinding binding :
         {InputBinding::key(SDL_SCANCODE_W), InputBinding::key(SDL_SCANCODE_SPACE), InputBinding::key(SDL_SCANCODE_LSHIFT),
          InputBinding::key(SDL_SCANCODE_KP_8), InputBinding::mouseButton(SDL_BUTTON_LEFT),
          InputBinding::mouseButton(SDL_BUTTON_MIDDLE), InputBinding::mouseButton(SDL_BUTTON_X2),
          InputBinding::wheelUp(), InputBinding::wheelDown()}) {
        const std::string text = Engine::bindingText(binding);
        EXPECT_TRUE(Engine::isBindable(binding)) << text;
        EXPECT_EQ(Engine::parseBinding(text), binding) << text;
    }
    EXPECT_EQ(Engine::parseBinding("mouse left"), InputBinding::mouseButton(SDL_BUTTON_LEFT));
    EXPECT_EQ(Engine::parseBinding("WHEEL DOWN"), InputBinding::wheelDown());
    for (const char* text : {"", "Nonsense", "Mouse 6", "Wheel"})
        EXPECT_FALSE(Engine::parseBinding(text)) << text;
    EXPECT_FALSE(Engine::isBindable(InputBinding{}));
    EXPECT_FALSE(Engine::isBindable(InputBinding::key(SDL_SCANCODE_UNKNOWN)));
    EXPECT_FALSE(Engine::isBindable(InputBinding::key(SDL_Scancode(SDL_NUM_SCANCODES))));
    EXPECT_FALSE(Engine::isBindable(InputBinding::mouseButton(6)));
    EXPECT_EQ(Engine::bindingDisplayName(InputBinding{}), "None");
}

TEST(InputBindingTest, KeysAreBoundByTheirPhysicalPlace)
{
    // The file names the key by its scancode's fixed name: the key at W's place is "W" whatever
    // the layout calls it, and reads back as scancode 26.
    EXPECT_EQ(Engine::bindingText(InputBinding::key(SDL_SCANCODE_W)), "W");
    EXPECT_EQ(Engine::parseBinding("W"), InputBinding::key(SDL_Scancode(26)));

    // The snapshot is indexed by scancode: the key at W's place moves forward, whatever its
    // layout's letter; the key at Z's place does not.
    const Engine::Bindings bindings = Engine::defaultBindings();
    const InputBinding forward = bindings[indexOf(Action::forward)];
    const Engine::MouseState mouse;
    const Keys atW{SDL_SCANCODE_W};
    EXPECT_TRUE(Engine::bindingDown(forward, atW.state, mouse));
    EXPECT_TRUE(Engine::bindingPressed(forward, atW.state, mouse));
    const Keys atZ{SDL_SCANCODE_Z};
    EXPECT_FALSE(Engine::bindingDown(forward, atZ.state, mouse));
}

TEST(InputBindingTest, MouseButtonsAndWheelDirectionsAreHeldAndPressedByTheStep)
{
    const Keys none{};
    Engine::MouseState mouse;
    mouse.buttons = SDL_BUTTON(SDL_BUTTON_X1);
    mouse.wheel = -3;
    const InputBinding x1 = InputBinding::mouseButton(SDL_BUTTON_X1);
    EXPECT_TRUE(Engine::bindingDown(x1, none.state, mouse));
    EXPECT_TRUE(Engine::bindingPressed(x1, none.state, mouse));
    EXPECT_FALSE(Engine::bindingDown(InputBinding::mouseButton(SDL_BUTTON_LEFT), none.state, mouse));
    EXPECT_TRUE(Engine::bindingDown(InputBinding::wheelDown(), none.state, mouse));
    EXPECT_FALSE(Engine::bindingDown(InputBinding::wheelUp(), none.state, mouse));
    EXPECT_EQ(Engine::bindingNotches(InputBinding::wheelDown(), mouse), 3);
    EXPECT_EQ(Engine::bindingNotches(InputBinding::wheelUp(), mouse), 0);

    mouse.previousButtons = mouse.buttons; // held from the step before
    EXPECT_TRUE(Engine::bindingDown(x1, none.state, mouse));
    EXPECT_FALSE(Engine::bindingPressed(x1, none.state, mouse));
}

TEST(InputBindingTest, BindingWhatAnotherActionHoldsSwapsTheTwo)
{
    Engine::Bindings bindings = Engine::defaultBindings();
    const InputBinding space = InputBinding::key(SDL_SCANCODE_SPACE);
    const InputBinding w = InputBinding::key(SDL_SCANCODE_W);

    EXPECT_EQ(Engine::bind(bindings, Action::jump, w), Action::forward);
    EXPECT_EQ(bindings[indexOf(Action::jump)], w);
    EXPECT_EQ(bindings[indexOf(Action::forward)], space);

    // A binding nobody holds, or the action's own, swaps nothing.
    EXPECT_EQ(Engine::bind(bindings, Action::jump, w), std::nullopt);
    EXPECT_EQ(Engine::bind(bindings, Action::jump, InputBinding::key(SDL_SCANCODE_J)), std::nullopt);
    EXPECT_EQ(bindings[indexOf(Action::forward)], space);

    // Every action's default is its own and nobody else's.
    const Engine::Bindings defaults = Engine::defaultBindings();
    for (size_t i = 0; i < Engine::kActionCount; ++i) {
        EXPECT_EQ(Engine::kActionTable[i].action, Action(i));
        for (size_t j = i + 1; j < Engine::kActionCount; ++j)
            EXPECT_NE(defaults[i], defaults[j]) << Engine::kActionTable[i].label;
    }
}
