#include "game/course/runinput.h"

#include <algorithm>

namespace Game {
namespace {

// Set in the first byte when mouse motion and wheel follow.
constexpr uint8_t kMotionFollows = 0x80;
// A varint of a 32-bit value has at most five bytes.
constexpr int kMaxVarintBytes = 5;

uint32_t zigzag(int32_t value)
{
    return (uint32_t(value) << 1) ^ uint32_t(value >> 31);
}

int32_t unzigzag(uint32_t value)
{
    return int32_t((value >> 1) ^ (0u - (value & 1u)));
}

void appendVarint(std::vector<uint8_t>& tape, uint32_t value)
{
    while (value >= 0x80) {
        tape.push_back(uint8_t(value | 0x80));
        value >>= 7;
    }
    tape.push_back(uint8_t(value));
}

bool readVarint(const std::vector<uint8_t>& tape, size_t& position, int32_t& out)
{
    uint32_t value = 0;
    for (int i = 0; i < kMaxVarintBytes && position < tape.size(); ++i) {
        const uint8_t byte = tape[position++];
        if (i == kMaxVarintBytes - 1 && byte > 0x0F)
            return false; // more than 32 bits
        value |= uint32_t(byte & 0x7F) << (7 * i);
        if (!(byte & 0x80)) {
            out = unzigzag(value);
            return true;
        }
    }
    return false;
}

} // namespace

StepInput StepInput::from(const PlayerMovement::PlayerInput& player, const CameraInput& camera)
{
    StepInput input;
    const bool held[] = {player.keys.forward, player.keys.left, player.keys.back, player.keys.right,
                         player.jumpHeld,     player.ropeHeld,  player.ropeHeldBefore};
    for (int bit = 0; bit < 7; ++bit)
        input.bits |= held[bit] ? uint8_t(1u << bit) : uint8_t(0);
    input.dx = camera.dx;
    input.dy = camera.dy;
    input.wheel = std::clamp(player.wheel, -RunInput::kMaxWheel, RunInput::kMaxWheel);
    return input;
}

PlayerMovement::PlayerInput StepInput::playerInput() const
{
    PlayerMovement::PlayerInput player;
    player.keys = cameraInput().keys;
    player.jumpHeld = bits & Jump;
    player.ropeHeld = bits & Rope;
    player.ropeHeldBefore = bits & RopeBefore;
    player.wheel = wheel;
    return player;
}

CameraInput StepInput::cameraInput() const
{
    CameraInput camera;
    camera.dx = dx;
    camera.dy = dy;
    camera.wheel = wheel;
    camera.keys.forward = bits & Forward;
    camera.keys.left = bits & Left;
    camera.keys.back = bits & Back;
    camera.keys.right = bits & Right;
    return camera;
}

namespace RunInput {

void append(std::vector<uint8_t>& tape, const StepInput& input)
{
    const bool motion = input.dx != 0 || input.dy != 0 || input.wheel != 0;
    tape.push_back(uint8_t((input.bits & 0x7F) | (motion ? kMotionFollows : 0)));
    if (!motion)
        return;
    appendVarint(tape, zigzag(input.dx));
    appendVarint(tape, zigzag(input.dy));
    appendVarint(tape, zigzag(input.wheel));
}

bool next(const std::vector<uint8_t>& tape, size_t& position, StepInput& input)
{
    size_t at = position;
    if (at >= tape.size())
        return false;
    StepInput read;
    const uint8_t first = tape[at++];
    read.bits = first & 0x7F;
    if (first & kMotionFollows) {
        if (!readVarint(tape, at, read.dx) || !readVarint(tape, at, read.dy) || !readVarint(tape, at, read.wheel)
            || read.wheel < -kMaxWheel || read.wheel > kMaxWheel)
            return false;
    }
    input = read;
    position = at;
    return true;
}

} // namespace RunInput
} // namespace Game
