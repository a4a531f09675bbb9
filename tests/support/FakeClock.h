#pragma once

#include <cstdint>
#include <vector>

#include "platform/os/Clock.h"

namespace Testing {

// A clock that stands still until the test moves it. Its three readings (the
// millisecond counter, the high-resolution counter and the time since boot)
// move together with Advance, or one at a time with the setters, so a test can
// tell which of them the code under test reads.
class FakeClock : public Platform::Clock {
public:
    // Counts per second of the high-resolution counter; a round number keeps
    // the tests' arithmetic exact.
    static constexpr int64_t defaultFrequency = 1'000'000;

    uint32_t Milliseconds() override { return milliseconds_; }
    int64_t Counter() override { return counter_; }
    int64_t CounterFrequency() override { return frequency_; }
    uint32_t MillisecondsSinceBoot() override { return bootMilliseconds_; }

    // Sleeping moves time on by the given milliseconds, so waiting loops end.
    void Sleep(uint32_t ms) override;

    uint32_t RaiseResolution() override;
    void RestoreResolution(uint32_t period) override;

    // Moves every reading on; the millisecond readings are rounded to whole
    // milliseconds and wrap after 2^32 like the real ones.
    void Advance(double seconds);

    void SetMilliseconds(uint32_t ms) { milliseconds_ = ms; }
    void SetCounter(int64_t counter) { counter_ = counter; }
    void SetCounterFrequency(int64_t frequency) { frequency_ = frequency; }
    void SetMillisecondsSinceBoot(uint32_t ms) { bootMilliseconds_ = ms; }

    // The period RaiseResolution hands out; 0 makes raising fail.
    void SetResolution(uint32_t period) { resolution_ = period; }

    // Raises granted and not yet restored.
    int OutstandingRaises() const { return outstandingRaises_; }
    const std::vector<uint32_t>& RestoredPeriods() const { return restoredPeriods_; }
    const std::vector<uint32_t>& Sleeps() const { return sleeps_; }

private:
    uint32_t milliseconds_ = 0;
    int64_t counter_ = 0;
    int64_t frequency_ = defaultFrequency;
    uint32_t bootMilliseconds_ = 0;
    uint32_t resolution_ = 1;
    int outstandingRaises_ = 0;
    std::vector<uint32_t> restoredPeriods_;
    std::vector<uint32_t> sleeps_;
};

} // namespace Testing
