#include "game/timetrial/gatemarks.h"

#include <glm/gtc/quaternion.hpp>

#include <algorithm>

namespace Game::GateMarks {
namespace {

// Segments a (top), b (top right), c (bottom right), d (bottom), e (bottom left), f (top left)
// and g (middle) of the digits 0 to 9, bit 0 for a.
constexpr std::array<unsigned, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
// Digit height as a share of the gate's height, and at most this share of its width for all.
constexpr float kDigitHeightShare = 0.5f;
constexpr float kNumberWidthShare = 0.8f;
constexpr float kDigitAspect = 0.5f; // width / height
constexpr float kGapShare = 0.35f;   // gap between digits / digit width
constexpr float kBarShare = 0.14f;   // bar thickness / digit height
// How far the digits stand out of a face, and how thick they are across it.
constexpr float kLift = 0.02f;
constexpr float kDepth = 0.02f;
// The start's arrow: its length as a share of the gate's depth, its thickness in metres.
constexpr float kArrowShare = 0.8f;
constexpr float kArrowBar = 0.2f;

struct Writer {
    const OrientedBox& gate;
    Bars& bars;
    size_t count = 0;

    // A bar around `local` (gate space, metres) of full size `size`, turned `turn` in gate space.
    void bar(const glm::vec3& local, const glm::vec3& size, const glm::quat& turn = glm::quat(1, 0, 0, 0))
    {
        if (count < bars.size())
            bars[count++] = OrientedBox{gate.center + gate.rotation * local, size * 0.5f, gate.rotation * turn};
    }
};

// One digit centred at `u` along the face, on the face at `x` whose reading direction is
// `across` (+1: along +y, -1: along -y).
void digit(Writer& out, int value, float x, float across, float u, float height)
{
    const float w = height * kDigitAspect;
    const float t = height * kBarShare;
    const unsigned segments = kDigitSegments[size_t(value)];
    const auto horizontal = [&](int bit, float v) {
        if (segments & (1u << bit))
            out.bar({x, across * u, v}, {kDepth, w + t, t});
    };
    const auto vertical = [&](int bit, float side, float v) {
        if (segments & (1u << bit))
            out.bar({x, across * (u + side * w * 0.5f), v}, {kDepth, t, height * 0.5f + t});
    };
    horizontal(0, height * 0.5f);
    vertical(1, 1.0f, height * 0.25f);
    vertical(2, 1.0f, -height * 0.25f);
    horizontal(3, -height * 0.5f);
    vertical(4, -1.0f, -height * 0.25f);
    vertical(5, -1.0f, height * 0.25f);
    horizontal(6, 0.0f);
}

void number(Writer& out, int value, float side)
{
    std::array<int, 3> digits{};
    int count = 0;
    for (int rest = std::clamp(value, 0, 999); count == 0 || rest > 0; rest /= 10)
        digits[size_t(count++)] = rest % 10;
    const glm::vec3 half = out.gate.halfExtents;
    const float widthPerHeight = kDigitAspect * (float(count) + kGapShare * float(count - 1));
    const float height = std::min(2.0f * half.z * kDigitHeightShare, 2.0f * half.y * kNumberWidthShare / widthPerHeight);
    const float step = height * kDigitAspect * (1.0f + kGapShare);
    const float x = side * (half.x + kLift);
    for (int i = 0; i < count; ++i) {
        // The most significant digit leftmost as seen from this side.
        const float u = (float(i) - float(count - 1) * 0.5f) * -step;
        digit(out, digits[size_t(i)], x, side, u, height);
    }
}

// On the start's floor, out of the way of the view of a player standing in it.
void arrow(Writer& out)
{
    const float length = 2.0f * out.gate.halfExtents.x * kArrowShare;
    const float head = length * 0.35f;
    const float floor = -out.gate.halfExtents.z + kArrowBar * 0.5f;
    out.bar({0, 0, floor}, {length, kArrowBar, kArrowBar});
    const glm::vec3 tip(length * 0.5f, 0.0f, floor);
    for (const float side : {1.0f, -1.0f}) {
        const glm::quat turn = glm::angleAxis(side * glm::radians(135.0f), glm::vec3(0, 0, 1));
        out.bar(tip + turn * glm::vec3(head * 0.5f, 0, 0), {head, kArrowBar, kArrowBar}, turn);
    }
}

} // namespace

size_t of(const Gate& gate, const glm::vec3& eye, Bars& bars)
{
    Writer out{gate.box, bars};
    const float eyeSide = (glm::conjugate(gate.box.rotation) * (eye - gate.box.center)).x;
    if (gate.kind == GateKind::Checkpoint)
        number(out, gate.number, eyeSide < 0.0f ? -1.0f : 1.0f);
    else if (gate.kind == GateKind::Start)
        arrow(out);
    return out.count;
}

} // namespace Game::GateMarks
