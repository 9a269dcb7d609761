#pragma once
// The player's input of one game step, as a run records it so that replaying it through the
// game reproduces the run: the keys and buttons the player systems read, the mouse look and wheel
// of the step, and a game controller's sticks and held reel keys or shoulders. Stored compactly:
// one byte of bits, and only for steps with mouse motion, wheel or more three zigzag varints
// (LEB128) after it; the wheel's varint carries a mark when one more byte of extras follows (held
// reel, and each stick as two 32-bit floats). A step without motion takes 1 byte, a step with a
// small look motion 4.
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
    int8_t reel = 0;   // a reel key or shoulder held: 1 in, -1 out, 0 neither
    glm::vec2 stick{0.0f}; // the pad's left stick (movement), each axis in [-1, 1]
    glm::vec2 look{0.0f};  // the pad's right stick (look), each axis in [-1, 1]

    // The step's input from what the player and camera systems read (the wheel within
    // RunInput::kMaxWheel, as the engine sums it; each stick axis within -1..1).
    static StepInput from(const PlayerMovement::PlayerInput& player, const CameraInput& camera);
    PlayerMovement::PlayerInput playerInput() const;
    CameraInput cameraInput() const;

    bool operator==(const StepInput& other) const
    {
        return bits == other.bits && dx == other.dx && dy == other.dy && wheel == other.wheel && reel == other.reel
            && stick == other.stick && look == other.look;
    }
};

namespace RunInput {

// The most bytes one step takes: the bits, three varints of at most five bytes, the extras and
// two sticks.
constexpr size_t kMaxStepBytes = 33;
// A step's wheel is at most this many notches either way, as the engine sums it.
constexpr int32_t kMaxWheel = 10;

// Appends `input` to `tape` (which allocates only when its capacity is used up).
void append(std::vector<uint8_t>& tape, const StepInput& input);
// Reads the step at `position` of `tape` and moves `position` past it; false, with `position`
// unchanged, when the bytes there are no complete step (cut short, overlong, a wheel beyond
// kMaxWheel, unknown extras, or a stick that is not a number in [-1, 1]).
bool next(const std::vector<uint8_t>& tape, size_t& position, StepInput& input);

} // namespace RunInput
} // namespace Game
