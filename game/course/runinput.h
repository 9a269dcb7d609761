#pragma once
// The player's input of one game step, as a run records it so that replaying it through the
// game reproduces the run: the keys and buttons the player systems read, and the mouse look
// and wheel of the step. Stored compactly: one byte of bits, and only for steps with mouse
// motion or wheel three zigzag varints (LEB128) after it. A step without motion takes 1 byte,
// a step with a small look motion 4.
#include "game/camera/camerainput.h"
#include "game/player/playermovement.h"

#include <cstdint>
#include <vector>

namespace Game {

struct StepInput {
    enum Bit : uint8_t {
        Forward = 1 << 0, // W
        Left = 1 << 1,    // A
        Back = 1 << 2,    // S
        Right = 1 << 3,   // D
        Jump = 1 << 4,    // space
        Rope = 1 << 5,    // left button down in this step
        RopeBefore = 1 << 6, // left button down in the step before
    };
    uint8_t bits = 0;
    int32_t dx = 0;    // mouse motion in pixels over the step
    int32_t dy = 0;
    int32_t wheel = 0; // notches, up positive

    // The step's input from what the player and camera systems read (the wheel within
    // RunInput::kMaxWheel, as the engine sums it).
    static StepInput from(const PlayerMovement::PlayerInput& player, const CameraInput& camera);
    PlayerMovement::PlayerInput playerInput() const;
    CameraInput cameraInput() const;

    bool operator==(const StepInput& other) const
    {
        return bits == other.bits && dx == other.dx && dy == other.dy && wheel == other.wheel;
    }
};

namespace RunInput {

// The most bytes one step takes: the bits and three varints of at most five bytes.
constexpr size_t kMaxStepBytes = 16;
// A step's wheel is at most this many notches either way, as the engine sums it.
constexpr int32_t kMaxWheel = 10;

// Appends `input` to `tape` (which allocates only when its capacity is used up).
void append(std::vector<uint8_t>& tape, const StepInput& input);
// Reads the step at `position` of `tape` and moves `position` past it; false, with `position`
// unchanged, when the bytes there are no complete step (cut short, overlong, or a wheel beyond
// kMaxWheel).
bool next(const std::vector<uint8_t>& tape, size_t& position, StepInput& input);

} // namespace RunInput
} // namespace Game
