#include "game/player/playermovement.h"

#include "engine/core/keyboardstate.h"
#include "engine/core/mousestate.h"
#include "game/camera/camerainput.h"

#include <gtest/gtest.h>
#include <glm/geometric.hpp>

#include <vector>

using namespace Game::PlayerMovement;
using Game::CameraMath::MoveKeys;

namespace {
MoveKeys keys(bool w, bool a, bool s, bool d)
{
    MoveKeys k;
    k.forward = w;
    k.left = a;
    k.back = s;
    k.right = d;
    return k;
}
} // namespace

TEST(PlayerMovement, KeyAngles)
{
    EXPECT_FALSE(keyAngle(keys(false, false, false, false)).has_value());
    const struct {
        MoveKeys keys;
        float angle;
    } cases[] = {
        {keys(true, false, false, false), 360.0f}, {keys(false, true, false, false), 90.0f},
        {keys(false, false, false, true), 270.0f}, {keys(true, true, false, false), 45.0f},
        {keys(false, false, true, true), 225.0f},
        {keys(true, false, true, false), 0.0f},   // W with S moves forward
        {keys(false, true, false, true), -90.0f}, // A with D moves right
        {keys(true, true, true, true), -90.0f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(*keyAngle(c.keys), c.angle) << c.angle;
}

TEST(PlayerMovement, FastPlayerIsOnlyTurnedAndCancellingPushStops)
{
    const glm::vec2 fast(20.0f, 0.0f);
    const glm::vec2 turned = accelerate(fast, 90.0f, airAcceleration, airFriction, maxSpeed);
    EXPECT_NEAR(glm::length(turned), 20.0f, 1e-4f);
    EXPECT_GT(turned.y, 0.0f);

    const glm::vec2 slow(0.0f, -(groundAcceleration + groundFriction));
    const glm::vec2 stopped = accelerate(slow, 90.0f, groundAcceleration, groundFriction, maxSpeed);
    EXPECT_EQ(stopped, glm::vec2(0.0f));
}

TEST(PlayerMovement, PushesRaiseTheSpeedUpToTheLimitAndNoFurther)
{
    const float push = groundAcceleration + groundFriction;
    const glm::vec2 fromRest = accelerate({0.0f, 0.0f}, 0.0f, groundAcceleration, groundFriction, maxSpeed);
    EXPECT_NEAR(fromRest.x, push, 1e-5f);

    const glm::vec2 nearLimit(maxSpeed - push / 2.0f, 0.0f);
    EXPECT_NEAR(glm::length(accelerate(nearLimit, 0.0f, groundAcceleration, groundFriction, maxSpeed)), maxSpeed, 1e-5f)
        << "a push past the limit stops at it";
    const glm::vec2 atLimit(maxSpeed, 0.0f);
    EXPECT_NEAR(glm::length(accelerate(atLimit, 0.0f, groundAcceleration, groundFriction, maxSpeed)), maxSpeed, 1e-5f)
        << "at the limit a push along the motion adds nothing";
    const glm::vec2 sideways = accelerate(atLimit, 90.0f, groundAcceleration, groundFriction, maxSpeed);
    EXPECT_NEAR(glm::length(sideways), maxSpeed, 1e-5f) << "at the limit a push only turns";
    EXPECT_GT(sideways.y, 0.0f);
}

TEST(PlayerMovement, RopeKeepsOnlyTangentialMotion)
{
    const glm::vec3 anchor(0, 0, 10);
    EXPECT_EQ(ropeConstrain({0, 0, 5}, anchor, 6.0f), glm::vec3(0, 0, 5));
    const glm::vec3 held = ropeConstrain({0, 0, 2}, anchor, 6.0f);
    EXPECT_NEAR(held.z, 4.0f, 1e-5f);
    EXPECT_EQ(ropeConstrain(anchor, anchor, 0.0f), anchor);

    const glm::vec3 v = removeRadial({3, 0, -4}, {0, 0, 4}, anchor);
    EXPECT_NEAR(v.x, 3.0f, 1e-5f);
    EXPECT_NEAR(v.z, 0.0f, 1e-5f);
    EXPECT_EQ(removeRadial({3, 0, -4}, anchor, anchor), glm::vec3(3, 0, -4));

    EXPECT_EQ(speedText({9, 0, 0}), "Speed: 33 km/h");
    EXPECT_EQ(speedText({0, 0, 0}), "Speed: 0 km/h");
    EXPECT_EQ(ropeText(23.46f), "Rope: 23.5 m");
}

TEST(PlayerMovement, ReelingStepsOneUnitANotchWithinTwoToAHundred)
{
    // {length, notches, expected}; a rope that attached closer than 2 is not lengthened by reeling in.
    const float cases[][3] = {{23.5f, 1, 22.5f}, {23.5f, -1, 24.5f}, {23.5f, 0, 23.5f}, {2.6f, 1, 2.0f},
                              {99.5f, -1, 100.0f}, {100.0f, -1, 100.0f}, {1.2f, 1, 1.2f}, {1.2f, -1, 2.2f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(reeledLength(c[0], int(c[1])), c[2]) << c[0] << " by " << c[1];
}

TEST(PlayerMovement, InputReadFromTheEngineSnapshots)
{
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    Engine::KeyboardState keyboard(keys.data(), static_cast<int>(keys.size()));
    keys[SDL_SCANCODE_W] = 1;
    keys[SDL_SCANCODE_D] = 1;
    keys[SDL_SCANCODE_SPACE] = 1;
    keyboard.refresh();
    Engine::MouseState mouse;
    mouse.buttons = SDL_BUTTON_LMASK;
    mouse.relX = 7;
    mouse.relY = -3;
    mouse.wheel = -1;

    PlayerInput input = PlayerInput::read(keyboard, mouse);
    EXPECT_TRUE(input.keys.forward && input.keys.right && !input.keys.left && !input.keys.back);
    EXPECT_TRUE(input.jumpHeld);
    EXPECT_TRUE(input.ropeFired());
    EXPECT_EQ(input.wheel, -1);
    mouse.previousButtons = SDL_BUTTON_LMASK;
    input = PlayerInput::read(keyboard, mouse);
    EXPECT_TRUE(input.ropeHeld);
    EXPECT_FALSE(input.ropeFired()) << "only a fresh press fires the rope";
    mouse.buttons = SDL_BUTTON_RMASK;
    EXPECT_FALSE(PlayerInput::read(keyboard, mouse).ropeHeld);

    const Game::CameraInput camera = Game::CameraInput::read(keyboard, mouse);
    EXPECT_EQ(camera.dx, 7);
    EXPECT_EQ(camera.dy, -3);
    EXPECT_EQ(camera.wheel, -1);
    EXPECT_TRUE(camera.keys.forward && camera.keys.right);
}

TEST(PlayerMovement, InputFollowsTheBindings)
{
    using Engine::Action;
    using Engine::InputBinding;
    Engine::Bindings bindings = Engine::defaultBindings();
    Engine::bind(bindings, Action::forward, InputBinding::key(SDL_SCANCODE_UP));
    Engine::bind(bindings, Action::rope, InputBinding::key(SDL_SCANCODE_E));
    Engine::bind(bindings, Action::reelIn, InputBinding::mouseButton(SDL_BUTTON_RIGHT));
    Engine::bind(bindings, Action::jump, InputBinding::wheelDown()); // reel out takes Space

    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    Engine::KeyboardState keyboard(keys.data(), static_cast<int>(keys.size()));
    keys[SDL_SCANCODE_W] = 1;
    keys[SDL_SCANCODE_UP] = 1;
    keys[SDL_SCANCODE_E] = 1;
    keyboard.refresh();
    Engine::MouseState mouse;
    mouse.buttons = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    mouse.wheel = -2;

    PlayerInput input = PlayerInput::read(keyboard, mouse, bindings);
    EXPECT_TRUE(input.keys.forward) << "Up moves forward";
    EXPECT_TRUE(input.ropeFired()) << "a fresh E fires the rope, the left button does not matter";
    EXPECT_TRUE(input.jumpHeld) << "the wheel turned down jumps";
    EXPECT_EQ(input.wheel, 0) << "the wheel no longer reels";
    EXPECT_EQ(input.reelHeld, 1) << "the right button held reels in";

    keys[SDL_SCANCODE_UP] = 0;
    keys[SDL_SCANCODE_SPACE] = 1;
    keyboard.refresh();
    mouse.buttons = 0;
    mouse.wheel = 0;
    input = PlayerInput::read(keyboard, mouse, bindings);
    EXPECT_FALSE(input.keys.forward) << "W no longer moves";
    EXPECT_TRUE(input.ropeHeld);
    EXPECT_FALSE(input.ropeFired()) << "E held since the tick before";
    EXPECT_FALSE(input.jumpHeld);
    EXPECT_EQ(input.reelHeld, -1) << "Space held reels out";
    EXPECT_FLOAT_EQ(Game::PlayerMovement::reeledBy(10.0f, -Game::PlayerMovement::reelPerTick), 10.1f);
}

TEST(PlayerMovement, TheStickSteersWhenNoKeyIsHeld)
{
    using Game::PlayerMovement::moveAngle;
    using Game::PlayerMovement::speedLimit;
    PlayerInput input;
    EXPECT_FALSE(moveAngle(input));
    input.stick = {0.0f, 1.0f};
    EXPECT_FLOAT_EQ(*moveAngle(input), 0.0f) << "forward";
    input.stick = {-1.0f, 0.0f};
    EXPECT_FLOAT_EQ(*moveAngle(input), 90.0f) << "left";
    input.stick = {0.5f, 0.0f};
    EXPECT_FLOAT_EQ(*moveAngle(input), -90.0f) << "right";
    EXPECT_FLOAT_EQ(speedLimit(input), Game::PlayerMovement::maxSpeed * 0.5f) << "half a tilt, half the speed";
    input.keys.back = true;
    EXPECT_FLOAT_EQ(*moveAngle(input), 180.0f) << "keys first";
    EXPECT_FLOAT_EQ(speedLimit(input), Game::PlayerMovement::maxSpeed);
}
