#include "engine/core/Random.h"

#include <gtest/gtest.h>

using namespace Halvard;

TEST(Random, FollowsTheLinearCongruentialSequence)
{
    SetRandomSeed(1);
    EXPECT_EQ(Random(), 16838);
    SetRandomSeed(1);
    const i32 first = Random();
    const i32 second = Random();
    SetRandomSeed(1);
    EXPECT_EQ(Random(), first);
    EXPECT_EQ(Random(), second);
}

TEST(Random, RangesStayInsideTheirBounds)
{
    SetRandomSeed(12345);
    for (int i = 0; i < 2000; ++i) {
        const i32 value = RandomInt(8, 12);
        EXPECT_GE(value, 8);
        EXPECT_LE(value, 12);
        EXPECT_LE(RandomInt(0, 1000000), 32767);
        const float unit = RandomUnit();
        EXPECT_GE(unit, 0.0f);
        EXPECT_LT(unit, 1.0f);
        const float signedValue = RandomSigned();
        EXPECT_GE(signedValue, -1.0f);
        EXPECT_LT(signedValue, 1.0f);
        EXPECT_LT(RandomIndex(7), 7u);
        const float spread = RandomSpread(10.0f, 2.0f);
        EXPECT_GE(spread, 8.0f);
        EXPECT_LT(spread, 12.0f);
    }
}

TEST(Random, EmptyAndFullRangesDoNotDivideByZero)
{
    SetRandomSeed(3);
    EXPECT_EQ(RandomIndex(0), 0u);
    const i32 full = RandomInt(INT32_MIN, INT32_MAX);
    EXPECT_GE(full, INT32_MIN);
    EXPECT_EQ(RandomInt(-3, -3), -3);
}
