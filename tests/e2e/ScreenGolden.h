#pragma once

#include <gtest/gtest.h>

#include <string>

namespace Testing {

class GameReplay;

// What the replay's screen shows now, against the picture kept under the
// name in tests/e2e/golden (the screen shrunk by 4 each way).
::testing::AssertionResult LooksLikeGolden(const GameReplay& replay, const std::string& name);

} // namespace Testing
