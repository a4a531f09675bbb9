#include "platform/os/Clock.h"

#include <gtest/gtest.h>

#include "platform/os/SystemClock.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"

namespace {

TEST(ClockSelection, NullRestoresTheSystemClock)
{
    Testing::FakeClock fake;
    Platform::SetClock(&fake);
    EXPECT_EQ(&Platform::GetClock(), &fake);
    Platform::SetClock(nullptr);
    EXPECT_NE(dynamic_cast<Platform::SystemClock*>(&Platform::GetClock()), nullptr);
}

TEST(ClockSelection, ScopedClocksNestAndRestoreTheirPredecessor)
{
    Testing::FakeClock outer;
    Testing::FakeClock inner;
    {
        Testing::ScopedClock installOuter(outer);
        {
            Testing::ScopedClock installInner(inner);
            EXPECT_EQ(&Platform::GetClock(), &inner);
        }
        EXPECT_EQ(&Platform::GetClock(), &outer);
    }
    EXPECT_NE(dynamic_cast<Platform::SystemClock*>(&Platform::GetClock()), nullptr);
}

} // namespace
