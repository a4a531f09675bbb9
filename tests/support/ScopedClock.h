#pragma once

#include "platform/os/Clock.h"

namespace Testing {

// Installs a clock for the lifetime of the guard and puts the clock that was
// in use before back when it goes.
class ScopedClock {
public:
    explicit ScopedClock(Platform::Clock& clock);
    ~ScopedClock();

    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Platform::Clock& previous_;
};

} // namespace Testing
