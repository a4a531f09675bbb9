#include "tests/support/FakeClock.h"

#include <cmath>

namespace Testing {

void FakeClock::Sleep(uint32_t ms)
{
    sleeps_.push_back(ms);
    Advance(ms * 0.001);
}

uint32_t FakeClock::RaiseResolution()
{
    if (resolution_ != 0) {
        ++outstandingRaises_;
    }
    return resolution_;
}

void FakeClock::RestoreResolution(uint32_t period)
{
    --outstandingRaises_;
    restoredPeriods_.push_back(period);
}

void FakeClock::Advance(double seconds)
{
    const auto ms = static_cast<int64_t>(std::llround(seconds * 1000.0));
    milliseconds_ += static_cast<uint32_t>(ms);
    bootMilliseconds_ += static_cast<uint32_t>(ms);
    counter_ += std::llround(seconds * static_cast<double>(frequency_));
}

} // namespace Testing
