#pragma once
// Checks on vectors that many tests share: each component within a tolerance of the expected one
// (a failure names the component), and every component a finite number.
#include <glm/vec3.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace TestSupport {

inline void expectVecNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}

// True when every component is a finite number.
inline bool isFinite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace TestSupport
