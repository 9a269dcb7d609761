#pragma once
// Expects each component of a vector within `tolerance` of the expected one; a failure names the
// component and the caller's values.
#include <glm/vec3.hpp>
#include <gtest/gtest.h>

namespace TestSupport {

inline void expectVecNear(const glm::vec3& actual, const glm::vec3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
    EXPECT_NEAR(actual.z, expected.z, tolerance) << "z";
}

} // namespace TestSupport
