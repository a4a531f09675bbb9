#include "tests/support/ScopedClock.h"

namespace Testing {

ScopedClock::ScopedClock(Platform::Clock& clock)
    : previous_(Platform::GetClock())
{
    Platform::SetClock(&clock);
}

ScopedClock::~ScopedClock()
{
    Platform::SetClock(&previous_);
}

} // namespace Testing
