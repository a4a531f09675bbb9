#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace Testing {

// Runs the work on the calling thread while a watchdog thread waits for it.
// Work that has not returned within the limit cannot be stopped: the watchdog
// prints the failure with what was running and ends the test program at
// once, so that a hang fails its test in seconds instead of holding ctest
// until the suite's timeout. Exceptions of the work pass through.
void RunWithin(std::chrono::milliseconds limit, const std::string& what, const std::function<void()>& work);

} // namespace Testing
