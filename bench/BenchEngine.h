#pragma once

#include "engine/app/Engine.h"

#include <filesystem>
#include <memory>

namespace Bench {

// An engine for a benchmark: its window off screen, its sound into no device,
// no log, 640x480 in a window, and its settings in a temporary folder that
// goes with it.
class BenchEngine {
public:
    BenchEngine();
    BenchEngine(const BenchEngine&) = delete;
    BenchEngine& operator=(const BenchEngine&) = delete;
    ~BenchEngine();

    Halvard::Engine& Get() { return *engine_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<Halvard::Engine> engine_;
};

} // namespace Bench
