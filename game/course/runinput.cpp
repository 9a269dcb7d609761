#include "game/course/runinput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Game {
namespace {

// Set in the first byte when mouse motion and wheel follow.
constexpr uint8_t kMotionFollows = 0x80;
// Added to the wheel's zigzag value (at most 2 * kMaxWheel) when the extras byte follows it.
constexpr uint32_t kExtrasFollow = 0x40;
// The extras byte.
constexpr uint8_t kReelIn = 1 << 0;
constexpr uint8_t kReelOut = 1 << 1;
constexpr uint8_t kStickFollows = 1 << 2;
constexpr uint8_t kLookFollows = 1 << 3;
constexpr uint8_t kKnownExtras = kReelIn | kReelOut | kStickFollows | kLookFollows;
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

bool readRawVarint(const std::vector<uint8_t>& tape, size_t& position, uint32_t& out)
{
    uint32_t value = 0;
    for (int i = 0; i < kMaxVarintBytes && position < tape.size(); ++i) {
        const uint8_t byte = tape[position++];
        if (i == kMaxVarintBytes - 1 && byte > 0x0F)
            return false; // more than 32 bits
        value |= uint32_t(byte & 0x7F) << (7 * i);
        if (!(byte & 0x80)) {
            out = value;
            return true;
        }
    }
    return false;
}

bool readVarint(const std::vector<uint8_t>& tape, size_t& position, int32_t& out)
{
    uint32_t value = 0;
    if (!readRawVarint(tape, position, value))
        return false;
    out = unzigzag(value);
    return true;
}

void appendFloat(std::vector<uint8_t>& tape, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 24; shift >= 0; shift -= 8)
        tape.push_back(uint8_t(bits >> shift));
}

// A stick axis: a number in [-1, 1].
bool readAxis(const std::vector<uint8_t>& tape, size_t& position, float& out)
{
    if (tape.size() - position < 4)
        return false;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | tape[position++];
    std::memcpy(&out, &bits, sizeof out);
    return std::fabs(out) <= 1.0f;
}

// A stick axis within -1..1, so that the tape can hold it; a value that is no number counts as
// centred.
float storableAxis(float value)
{
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

glm::vec2 storableStick(glm::vec2 stick)
{
    return {storableAxis(stick.x), storableAxis(stick.y)};
}

uint8_t extrasOf(const StepInput& input)
{
    return uint8_t((input.reel > 0 ? kReelIn : 0) | (input.reel < 0 ? kReelOut : 0)
                   | (input.stick != glm::vec2(0.0f) ? kStickFollows : 0) | (input.look != glm::vec2(0.0f) ? kLookFollows : 0));
}

// The extras byte and the sticks it announces into `input`; false when they are damaged.
bool readExtras(const std::vector<uint8_t>& tape, size_t& position, StepInput& input)
{
    if (position >= tape.size())
        return false;
    const uint8_t extras = tape[position++];
    if ((extras & ~kKnownExtras) != 0 || ((extras & kReelIn) && (extras & kReelOut)))
        return false;
    input.reel = int8_t(extras & kReelIn ? 1 : (extras & kReelOut ? -1 : 0));
    if ((extras & kStickFollows) && !(readAxis(tape, position, input.stick.x) && readAxis(tape, position, input.stick.y)))
        return false;
    return !(extras & kLookFollows) || (readAxis(tape, position, input.look.x) && readAxis(tape, position, input.look.y));
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
    input.reel = int8_t(std::clamp(player.reelHeld, -1, 1));
    input.stick = storableStick(player.stick);
    input.look = storableStick(camera.stick);
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
    player.reelHeld = reel;
    player.stick = stick;
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
    camera.stick = look;
    return camera;
}

namespace RunInput {

void append(std::vector<uint8_t>& tape, const StepInput& input)
{
    const uint8_t extras = extrasOf(input);
    const bool motion = input.dx != 0 || input.dy != 0 || input.wheel != 0 || extras != 0;
    tape.push_back(uint8_t((input.bits & 0x7F) | (motion ? kMotionFollows : 0)));
    if (!motion)
        return;
    appendVarint(tape, zigzag(input.dx));
    appendVarint(tape, zigzag(input.dy));
    appendVarint(tape, zigzag(input.wheel) + (extras != 0 ? kExtrasFollow : 0));
    if (extras == 0)
        return;
    tape.push_back(extras);
    for (const glm::vec2* stick : {&input.stick, &input.look}) {
        if (*stick == glm::vec2(0.0f))
            continue;
        appendFloat(tape, stick->x);
        appendFloat(tape, stick->y);
    }
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
        uint32_t field = 0;
        if (!readVarint(tape, at, read.dx) || !readVarint(tape, at, read.dy) || !readRawVarint(tape, at, field))
            return false;
        const bool extras = (field & kExtrasFollow) != 0;
        read.wheel = unzigzag(field & ~kExtrasFollow);
        if (field > (kExtrasFollow | 2 * kMaxWheel) || read.wheel < -kMaxWheel || read.wheel > kMaxWheel
            || (extras && !readExtras(tape, at, read)))
            return false;
    }
    input = read;
    position = at;
    return true;
}

} // namespace RunInput
} // namespace Game
