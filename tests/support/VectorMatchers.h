#pragma once

#include <gmock/gmock.h>

namespace Testing {

// A two-component vector with exactly these components; for values that are
// whole numbers, or otherwise exact in single precision.
MATCHER_P2(IsVector2, x, y, "")
{
    *result_listener << "(" << arg.x << ", " << arg.y << ")";
    return arg.x == static_cast<float>(x) && arg.y == static_cast<float>(y);
}

} // namespace Testing
