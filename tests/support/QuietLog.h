#pragma once

#include "engine/core/MessageManager.h"

namespace Testing {

// A log that writes no file and keeps its entries for the test to read:
// what most tests below the engine object hand the code under test.
class QuietLog : public Halvard::MessageManager {
public:
    QuietLog() : MessageManager("", false, false, "", "") {}
};

} // namespace Testing
