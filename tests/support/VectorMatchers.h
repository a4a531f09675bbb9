#pragma once

#include <gmock/gmock.h>

#include <cmath>

namespace Testing {

// A two-component vector with exactly these components; for values that are
// whole numbers, or otherwise exact in single precision.
MATCHER_P2(IsVector2, x, y, "")
{
    *result_listener << "(" << arg.x << ", " << arg.y << ")";
    return arg.x == static_cast<float>(x) && arg.y == static_cast<float>(y);
}

// Each component within the tolerance of the expected one, as EXPECT_NEAR
// counts it: a NaN is never near.
MATCHER_P3(IsNearVector2, x, y, tolerance, "")
{
    *result_listener << "(" << arg.x << ", " << arg.y << ")";
    return std::abs(arg.x - x) <= tolerance && std::abs(arg.y - y) <= tolerance;
}

// The expected vector is anything with x, y and z.
MATCHER_P2(IsNearVector3, expected, tolerance, "")
{
    *result_listener << "(" << arg.x << ", " << arg.y << ", " << arg.z << ")";
    return std::abs(arg.x - expected.x) <= tolerance && std::abs(arg.y - expected.y) <= tolerance &&
           std::abs(arg.z - expected.z) <= tolerance;
}

} // namespace Testing
