#include "game/gamemap/mapvalues.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace Game::MapValues;

TEST(MapValues, EveryDecodedLengthEncodesBackToItsNumber)
{
    // Single-precision truncation alone stores 20.47 as 2046.
    EXPECT_EQ(encodeLength(decodeLength(2047)), 2047);
    EXPECT_EQ(encodeLength(20.47f), 2047);
    for (int32_t stored = -300000; stored <= 300000; stored += 7)
        ASSERT_EQ(encodeLength(decodeLength(stored)), stored) << stored;
    for (int32_t stored : {13107199, -13107199, 9999999, -1})
        EXPECT_EQ(encodeLength(decodeLength(stored)), stored) << stored;
}

TEST(MapValues, LengthsBeyondTheCodingAreClampedAndStayStable)
{
    const int32_t clamped = encodeLength(1e9f);
    EXPECT_GT(clamped, 2147483000);
    EXPECT_EQ(encodeLength(decodeLength(clamped)), clamped);
    EXPECT_EQ(encodeLength(-1e9f), -clamped);
    EXPECT_EQ(encodeLength(21474836.0f), clamped);
}

TEST(MapValues, RotationFactorsAndTheFullTurnCase)
{
    EXPECT_EQ(encodeRotationW(-0.5f), -50000000);
    EXPECT_EQ(encodeRotationXYZ(-0.5f), -1073741824);
    // +1 does not fit and is stored as the lowest number, which reads back as -1.
    EXPECT_EQ(encodeRotationXYZ(1.0f), INT32_MIN);
    EXPECT_EQ(encodeRotationXYZ(-1.0f), INT32_MIN);
    EXPECT_EQ(decodeRotationXYZ(INT32_MIN), -1.0f);
    EXPECT_EQ(encodeRotationXYZ(1.5f), INT32_MIN);
    EXPECT_EQ(encodeRotationW(2.0f), 100000000);
}

TEST(MapValues, DecodedRotationsEncodeBackToTheirNumbers)
{
    const float samples[] = {0.70710677f, -0.38268343f, 0.92387956f, 1e-6f, -0.99999994f, 0.123456789f};
    for (float value : samples) {
        const int32_t xyz = encodeRotationXYZ(value);
        EXPECT_EQ(encodeRotationXYZ(decodeRotationXYZ(xyz)), xyz) << value;
        const int32_t w = encodeRotationW(value);
        EXPECT_EQ(encodeRotationW(decodeRotationW(w)), w) << value;
        EXPECT_NEAR(decodeRotationW(w), value, 1e-7f);
    }
}
