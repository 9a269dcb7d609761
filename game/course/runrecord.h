#pragma once
// A course's best run as stored in its record file: the times, the look settings and the input
// of every step from the restart to the finish (replaying them reproduces the run), and the
// ghost's positions sampled every few steps.
//
// File layout, numbers big-endian:
//   "txrun", u8 version 2, u32 course key high, u32 course key low,
//   u32 total steps, u16 split count S, S x u32 split,
//   f32 look sensitivity, u8 look inverted, f32 pad look sensitivity, u8 pad look inverted,
//   u32 input step count, u32 input byte count B, B bytes of input (runinput.h),
//   u8 ghost interval in steps, u32 sample count G,
//   G x (f32 x, y, z, f32 yaw, u8 roped, and when roped f32 anchor x, y, z),
//   u32 FNV-1a 64 high, u32 low, of every byte before them.
// Version 1 (before the pad's look settings and the input's extras) is read with the pad's
// defaults. Readers never trust the file: a damaged record is refused whole with a reason.
#include "game/camera/cameramath.h"
#include "game/course/courserun.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Game {

// Where the ghost is at one sample: its position and facing, and its rope's anchor while it
// swings.
struct GhostSample {
    glm::vec3 position{0.0f};
    float yaw = 0.0f;
    bool roped = false;
    glm::vec3 anchor{0.0f};
};

struct RunRecord {
    uint64_t courseKey = 0;
    RunTimes times;
    CameraMath::LookSettings look;
    uint32_t inputSteps = 0;    // steps on the input tape, from the restart to the finish
    std::vector<uint8_t> input; // the steps' input, as RunInput::append writes it
    uint8_t ghostInterval = 1;  // steps between two ghost samples
    std::vector<GhostSample> ghost;
};

struct RunRecordReadResult {
    // Empty when the record is valid; otherwise one line saying what is wrong.
    std::string problem;
    RunRecord record; // only meaningful when ok()

    bool ok() const { return problem.empty(); }
};

namespace RunRecordFile {

// The longest run a record holds: one hour of steps.
constexpr uint32_t kMaxSteps = 60 * 60 * 100;
// Larger files are refused unread.
constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;
// Look sensitivity lies in (0, kMaxSensitivity].
constexpr float kMaxSensitivity = 100.0f;
// Ghost positions and anchors lie within this distance of the origin on each axis.
constexpr float kMaxCoordinate = 21474836.0f;

// The bytes of `record`.
std::string encode(const RunRecord& record);
// Decodes record bytes. Refused: a wrong mark, version or checksum, a run of no steps or over
// kMaxSteps, splits out of order or beyond the total, an input tape that does not hold exactly
// its step count, more ghost samples than the steps ask for, or a value that is not a finite
// number in range.
RunRecordReadResult decode(std::string_view bytes);

} // namespace RunRecordFile
} // namespace Game
