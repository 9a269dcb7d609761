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

TEST(RunInput, DamagedStepsAreRefusedWithoutMoving)
{
    const std::vector<std::vector<uint8_t>> damaged = {
        {0x80},                               // motion announced, none follows
        {0x80, 0x01, 0x01},                   // the wheel is missing
        {0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0, 0}, // more than 32 bits
        {0x80, 0, 0, 22},                     // wheel 11
        {0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, // wheel INT32_MIN
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
    EXPECT_EQ(step.stick, glm::vec2(1.0f, 0.0f));
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

TEST(RunInput, APadsSticksAndHeldReelingReadBackExactly)
{
    // Runs steered with a game controller re-play only when its sticks and held reeling are kept.
    StepInput pad = input(StepInput::Rope | StepInput::RopeBefore);
    pad.reel = -1;
    pad.stick = {0.3137255f, -1.0f};
    pad.look = {-0.0001f, 0.75f};
    StepInput shoulder = input(0, 2, 0, 1);
    shoulder.reel = 1;
    std::vector<uint8_t> tape;
    RunInput::append(tape, pad);
    EXPECT_EQ(tape.size(), 1u + 3u + 1u + 16u);
    RunInput::append(tape, shoulder);
    RunInput::append(tape, input(StepInput::Forward, 1)); // as before: the bits and three varints
    EXPECT_EQ(tape.size(), 21u + 5u + 4u);
    size_t position = 0;
    for (const StepInput& step : {pad, shoulder, input(StepInput::Forward, 1)}) {
        StepInput read;
        ASSERT_TRUE(RunInput::next(tape, position, read));
        EXPECT_EQ(read, step);
    }

    const Game::PlayerMovement::PlayerInput player = pad.playerInput();
    EXPECT_EQ(player.reelHeld, -1);
    EXPECT_EQ(player.stick, pad.stick);
    EXPECT_EQ(pad.cameraInput().stick, pad.look);

    const std::vector<std::vector<uint8_t>> damaged = {
        {0x80, 0, 0, 0x40},                         // extras announced, none follows
        {0x80, 0, 0, 0x40, 0x03},                   // reeling in and out at once
        {0x80, 0, 0, 0x40, 0x10},                   // an unknown extra
        {0x80, 0, 0, 0x40, 0x04, 0x3F, 0x80, 0, 0}, // a stick cut short
        {0x80, 0, 0, 0x40, 0x04, 0x40, 0, 0, 0, 0, 0, 0, 0}, // a stick axis of 2
        {0x80, 0, 0, 0x40, 0x08, 0x7F, 0xC0, 0, 0, 0, 0, 0, 0}, // not a number
    };
    for (const auto& bad : damaged) {
        size_t at = 0;
        StepInput read;
        EXPECT_FALSE(RunInput::next(bad, at, read)) << bad.size();
        EXPECT_EQ(at, 0u);
    }
}
