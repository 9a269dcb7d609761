#include "game/course/runinput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Game {
namespace {

// Set in the first byte when mouse motion and wheel follow.
constexpr uint8_t kMotionFollows = 0x80;
// A varint of a 32-bit value has at most five bytes.
constexpr int kMaxVarintBytes = 5;
// The third varint: the wheel's zigzag below these bits, the extras in them.
constexpr uint32_t kWheelMask = 0x1F;
constexpr uint32_t kReelIn = 0x20;
constexpr uint32_t kReelOut = 0x40;
constexpr uint32_t kSticksFollow = 0x80;
constexpr uint32_t kKnownBits = kWheelMask | kReelIn | kReelOut | kSticksFollow;

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

// A stick value: a number in -1..1.
bool readStickValue(const std::vector<uint8_t>& tape, size_t& position, float& out)
{
    if (tape.size() - position < 4)
        return false;
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | tape[position++];
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    if (!(value >= -1.0f && value <= 1.0f))
        return false;
    out = value;
    return true;
}

bool readSticks(const std::vector<uint8_t>& tape, size_t& position, StepInput& input)
{
    return readStickValue(tape, position, input.leftStick.x) && readStickValue(tape, position, input.leftStick.y) &&
           readStickValue(tape, position, input.rightStick.x) && readStickValue(tape, position, input.rightStick.y);
}

// A stick axis within -1..1; a value that is no number counts as centred.
float clampedAxis(float value)
{
    return std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
}

glm::vec2 clampedStick(glm::vec2 stick)
{
    return {clampedAxis(stick.x), clampedAxis(stick.y)};
}

bool hasSticks(const StepInput& input)
{
    return input.leftStick != glm::vec2(0.0f) || input.rightStick != glm::vec2(0.0f);
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
    input.reelHeld = int8_t(std::clamp(player.reelHeld, -1, 1));
    input.leftStick = clampedStick(player.stick);
    input.rightStick = clampedStick(camera.stick);
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
    player.reelHeld = reelHeld;
    player.stick = leftStick;
    return player;
}

CameraInput StepInput::cameraInput() const
{
    CameraInput camera;
    camera.dx = dx;
    camera.dy = dy;
    camera.wheel = wheel;
    camera.stick = rightStick;
    camera.keys.forward = bits & Forward;
    camera.keys.left = bits & Left;
    camera.keys.back = bits & Back;
    camera.keys.right = bits & Right;
    return camera;
}

namespace RunInput {

void append(std::vector<uint8_t>& tape, const StepInput& input)
{
    const bool sticks = hasSticks(input);
    const bool motion = input.dx != 0 || input.dy != 0 || input.wheel != 0 || input.reelHeld != 0 || sticks;
    tape.push_back(uint8_t((input.bits & 0x7F) | (motion ? kMotionFollows : 0)));
    if (!motion)
        return;
    appendVarint(tape, zigzag(input.dx));
    appendVarint(tape, zigzag(input.dy));
    const uint32_t reel = input.reelHeld > 0 ? kReelIn : (input.reelHeld < 0 ? kReelOut : 0);
    appendVarint(tape, zigzag(input.wheel) | reel | (sticks ? kSticksFollow : 0));
    if (!sticks)
        return;
    for (const float value : {input.leftStick.x, input.leftStick.y, input.rightStick.x, input.rightStick.y})
        appendFloat(tape, value);
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
        uint32_t third = 0;
        if (!readVarint(tape, at, read.dx) || !readVarint(tape, at, read.dy) || !readRawVarint(tape, at, third))
            return false;
        read.wheel = unzigzag(third & kWheelMask);
        if ((third & ~kKnownBits) != 0 || read.wheel < -kMaxWheel || read.wheel > kMaxWheel ||
            (third & (kReelIn | kReelOut)) == (kReelIn | kReelOut))
            return false;
        read.reelHeld = int8_t((third & kReelIn) ? 1 : ((third & kReelOut) ? -1 : 0));
        if ((third & kSticksFollow) && !readSticks(tape, at, read))
            return false;
    }
    input = read;
    position = at;
    return true;
}

} // namespace RunInput
} // namespace Game
