#pragma once
// The marks drawn on a gate, as thin bars: a checkpoint's number in seven-segment digits on the
// face of its way through (its local x axis) that looks at the viewer, readable from there (the
// far face's number would show mirrored through the translucent gate), and on the start's floor an
// arrow along its facing. Bars are boxes in world space, ready for the gate drawer's cube.
#include "game/course/course.h"

#include <array>
#include <cstddef>

namespace Game::GateMarks {

// Three digits, or the arrow's three bars.
constexpr size_t kMaxBars = 3 * 7;
using Bars = std::array<OrientedBox, kMaxBars>;

// Fills `bars` from the front with the marks of `gate` as seen from `eye` (a number's digits from
// the ones up) and answers how many there are (none for the finish).
size_t of(const Gate& gate, const glm::vec3& eye, Bars& bars);

} // namespace Game::GateMarks
