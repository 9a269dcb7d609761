#pragma once
// Number coding of the .rmap block records: every value is stored as a signed 32-bit integer,
// the value times a fixed factor truncated toward zero.
//
// Positions and scales keep two decimals (factor 100); rotation x, y and z use 2^31 and
// rotation w uses 10^8. Encoding truncates toward zero (1.239 -> 123, -0.019 -> -1), with one
// refinement so that maps survive being loaded and saved again: a float that decodes from a
// stored number encodes back to that same number. Single precision cannot hold most decimals
// exactly (20.47 is 20.4699993...), so plain truncation would turn 2047 into 2046 on every save.
#include <cstdint>

namespace Game::MapValues {

// Largest magnitude a position or scale can be stored with: (2^31 - 1) / 100 = 21474836.47,
// which single precision holds as 21474836.
constexpr float kMaxLength = 21474836.47f;

// Position or scale component -> stored number. Finite input only; magnitudes beyond
// kMaxLength are clamped to it. Every float that a stored number of magnitude up to 13107200
// decodes to encodes back to that number (beyond it single precision has no second decimal).
int32_t encodeLength(float value);
float decodeLength(int32_t stored);

// Rotation x, y or z -> stored number. Finite input only; clamped to [-1, 1]. Exactly +1
// (and -1) is stored as INT32_MIN, which reads back as -1: the other components of such a
// unit quaternion are 0, so -q is the same orientation.
int32_t encodeRotationXYZ(float value);
float decodeRotationXYZ(int32_t stored);

// Rotation w -> stored number. Finite input only; clamped to [-1, 1].
int32_t encodeRotationW(float value);
float decodeRotationW(int32_t stored);

} // namespace Game::MapValues
