#include "game/gamemap/mapvalues.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Game::MapValues {
namespace {

constexpr double kLengthFactor = 100.0;
constexpr double kRotationXYZFactor = 2147483648.0;
constexpr double kRotationWFactor = 100000000.0;
constexpr double kLargestStored = 2147483647.0;
// 2^-31 in single precision, the decoding factor of rotation x, y and z.
constexpr float kRotationXYZDecode = 4.656613e-10f;
// Decoding divides in double precision and rounds once to float: converting a number above
// 2^24 to float first would round it, so that several stored numbers could not be told apart.
// A value this many representable floats below the decoding of the next stored number is
// float noise (matrix decomposition, decimal conversion) around that number, not a smaller value.
constexpr int64_t kNoiseFloatSteps = 4;

// Position of a finite float on the line of all floats, so that neighbours differ by 1.
int64_t floatOrdinal(float value)
{
    int32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits < 0 ? -int64_t(bits & 0x7FFFFFFF) : int64_t(bits);
}

int64_t floatSteps(float a, float b)
{
    return std::llabs(floatOrdinal(a) - floatOrdinal(b));
}

// value x factor truncated toward zero, computed exactly (a float times any of the factors fits
// a double without rounding) and clamped to +-limit. When the truncation lands one short of a
// number whose decoding is the value itself, or lies within float noise of it, that number is
// the one the value stands for.
int32_t encodeTruncated(float value, double factor, double limit, float (*decode)(int32_t))
{
    const double product = std::clamp(double(value) * factor, -limit, limit);
    const int64_t truncated = int64_t(std::trunc(product));
    if (decode(int32_t(truncated)) == value)
        return int32_t(truncated);
    const int64_t away = truncated + (value > 0.0f ? 1 : -1);
    if (std::fabs(double(away)) <= limit && floatSteps(decode(int32_t(away)), value) <= kNoiseFloatSteps)
        return int32_t(away);
    return int32_t(truncated);
}

} // namespace

int32_t encodeLength(float value)
{
    // Clamping the float (not the product) keeps a clamped value stable over load and save.
    const float clamped = std::clamp(value, -kMaxLength, kMaxLength);
    return encodeTruncated(clamped, kLengthFactor, kLargestStored, decodeLength);
}

float decodeLength(int32_t stored)
{
    return float(double(stored) / kLengthFactor);
}

int32_t encodeRotationXYZ(float value)
{
    const float clamped = std::clamp(value, -1.0f, 1.0f);
    // +-1 times 2^31 does not fit a signed 32-bit number; both are stored as its lowest value.
    if (clamped == 1.0f || clamped == -1.0f)
        return INT32_MIN;
    return encodeTruncated(clamped, kRotationXYZFactor, kLargestStored, decodeRotationXYZ);
}

float decodeRotationXYZ(int32_t stored)
{
    return float(stored) * kRotationXYZDecode;
}

int32_t encodeRotationW(float value)
{
    const float clamped = std::clamp(value, -1.0f, 1.0f);
    return encodeTruncated(clamped, kRotationWFactor, kRotationWFactor, decodeRotationW);
}

float decodeRotationW(int32_t stored)
{
    return float(double(stored) / kRotationWFactor);
}

} // namespace Game::MapValues
