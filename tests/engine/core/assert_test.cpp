#include "engine/core/assert.h"

#include <gtest/gtest.h>

TEST(AssertDeathTest, FailureNamesExpressionFileAndLine)
{
    EXPECT_DEATH(TX_ASSERT(1 + 1 == 3, "arithmetic"), "1 \\+ 1 == 3.*arithmetic.*assert_test.cpp:[0-9]+");
}

TEST(AssertTest, PassingAssertionDoesNothing)
{
    int evaluations = 0;
    TX_ASSERT(++evaluations == 1, "evaluated once");
    EXPECT_EQ(evaluations, 1);
}
