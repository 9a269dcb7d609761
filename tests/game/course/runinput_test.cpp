#include "game/course/runinput.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using Game::StepInput;
namespace RunInput = Game::RunInput;

namespace {

StepInput input(uint8_t bits, int32_t dx = 0, int32_t dy = 0, int32_t wheel = 0)
{
    StepInput step;
    step.bits = bits;
    step.dx = dx;
    step.dy = dy;
    step.wheel = wheel;
    return step;
}

} // namespace

TEST(RunInput, StepsReadBackAsWrittenInFewBytes)
{
    const std::vector<StepInput> steps = {
        input(0), input(0x7F), input(StepInput::Forward | StepInput::Rope, 3, -2),
        input(StepInput::Jump, 0, 0, -10), input(0, INT_MAX, INT_MIN, 10), input(StepInput::Back, -64, 63, 1),
    };
    std::vector<uint8_t> tape;
    std::vector<size_t> sizes;
    for (const StepInput& step : steps) {
        const size_t before = tape.size();
        RunInput::append(tape, step);
        sizes.push_back(tape.size() - before);
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{1, 1, 4, 4, 12, 4}));
    size_t position = 0;
    for (const StepInput& step : steps) {
        StepInput read;
        ASSERT_TRUE(RunInput::next(tape, position, read));
        EXPECT_EQ(read, step);
    }
    EXPECT_EQ(position, tape.size());
    StepInput read;
    EXPECT_FALSE(RunInput::next(tape, position, read));
}

// A reel key and a game controller's sticks are part of the step: without them a run played
// with them would not replay.
TEST(RunInput, ReelKeysAndSticksReadBackExactly)
{
    StepInput reelIn = input(StepInput::Rope);
    reelIn.reelHeld = 1;
    StepInput reelOut = input(0, 0, 0, -3);
    reelOut.reelHeld = -1;
    StepInput sticks = input(StepInput::Jump, 5);
    sticks.leftStick = {0.123456789f, -1.0f};
    sticks.rightStick = {1.0f, -0.0000001f};
    const std::vector<StepInput> steps = {reelIn, reelOut, sticks, input(0)};
    std::vector<uint8_t> tape;
    for (const StepInput& step : steps)
        RunInput::append(tape, step);
    EXPECT_EQ(tape.size(), 4u + 4u + (1u + 1u + 1u + 2u + 16u) + 1u);
    size_t position = 0;
    for (const StepInput& step : steps) {
        StepInput read;
        ASSERT_TRUE(RunInput::next(tape, position, read));
        EXPECT_EQ(read, step);
        EXPECT_EQ(read.playerInput().reelHeld, step.reelHeld);
        EXPECT_EQ(read.playerInput().stick, step.leftStick);
        EXPECT_EQ(read.cameraInput().stick, step.rightStick);
    }
    EXPECT_EQ(position, tape.size());
}

TEST(RunInput, DamagedStepsAreRefusedWithoutMoving)
{
    const std::vector<std::vector<uint8_t>> damaged = {
        {0x80},                               // motion announced, none follows
        {0x80, 0x01, 0x01},                   // the wheel is missing
        {0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0, 0}, // more than 32 bits
        {0x80, 0, 0, 22},                     // wheel 11
        {0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, // wheel INT32_MIN
        {0x80, 0, 0, 0x60},                   // reeled in and out at once
        {0x80, 0, 0, 0x80, 0x02},             // an unknown extra
        {0x80, 0, 0, 0x80, 0x01, 0, 0, 0},    // sticks announced, cut short
        {0x80, 0, 0, 0x80, 0x01, 0x3F, 0x80, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // beyond 1
        {0x80, 0, 0, 0x80, 0x01, 0x7F, 0xC0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // no number
    };
    for (const auto& tape : damaged) {
        size_t position = 0;
        StepInput read;
        EXPECT_FALSE(RunInput::next(tape, position, read)) << tape.size();
        EXPECT_EQ(position, 0u);
    }
}

TEST(RunInput, CarriesWhatThePlayerAndCameraSystemsRead)
{
    Game::PlayerMovement::PlayerInput player;
    player.keys.left = true;
    player.keys.right = true;
    player.jumpHeld = true;
    player.ropeHeldBefore = true;
    player.wheel = 25; // more than a step can hold
    Game::CameraInput camera;
    camera.dx = -7;
    camera.dy = 12;
    player.reelHeld = -1;
    player.stick = {2.0f, std::nanf("")}; // out of range and no number: kept storable
    camera.stick = {-0.5f, 0.25f};
    const StepInput step = StepInput::from(player, camera);
    EXPECT_EQ(step.leftStick, glm::vec2(1.0f, 0.0f));
    EXPECT_EQ(step.cameraInput().stick, glm::vec2(-0.5f, 0.25f));
    EXPECT_EQ(step.playerInput().reelHeld, -1);
    EXPECT_EQ(step.bits, StepInput::Left | StepInput::Right | StepInput::Jump | StepInput::RopeBefore);
    EXPECT_EQ(step.wheel, RunInput::kMaxWheel);

    const Game::PlayerMovement::PlayerInput again = step.playerInput();
    EXPECT_TRUE(again.keys.left && again.keys.right && !again.keys.forward && !again.keys.back);
    EXPECT_TRUE(again.jumpHeld && !again.ropeHeld && again.ropeHeldBefore);
    EXPECT_EQ(again.wheel, 10);
    const Game::CameraInput look = step.cameraInput();
    EXPECT_EQ(look.dx, -7);
    EXPECT_EQ(look.dy, 12);
    EXPECT_EQ(look.wheel, 10);
    EXPECT_TRUE(look.keys.left && look.keys.right);
}
