#include "tests/support/ReplayClock.h"

#include <chrono>
#include <thread>

namespace Testing {

uint32_t ReplayClock::Milliseconds() { return static_cast<uint32_t>(steps_ * 1000 / kStepsPerSecond); }

void ReplayClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace Testing
