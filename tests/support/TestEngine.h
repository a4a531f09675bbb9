#pragma once

#include "engine/app/Engine.h"
#include "tests/support/TempFolder.h"

#include <memory>

namespace Testing {

struct TestEngineOptions {
    bool stencilRequest = false;
    // Benchmarks write no log.
    bool logEnabled = true;
    // The window's client size and depth, as the ini file writes a mode.
    const char* videoMode = "640x480x32";
    // The folder the engine reads its data below, in the system's form
    // ("\work\build\game"); the temporary folder when empty.
    std::string installFolder = {};
};

// An engine whose program folder, log and ini file live in a temporary
// folder of its own, windowed and small, off screen and silent unless the
// environment names other drivers. Serves tests and benchmarks alike.
class TestEngine {
public:
    explicit TestEngine(TestEngineOptions options = {});
    ~TestEngine();

    TestEngine(const TestEngine&) = delete;
    TestEngine& operator=(const TestEngine&) = delete;

    Halvard::Engine& Get() { return *engine_; }
    Halvard::Engine* operator->() { return engine_.get(); }
    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    std::unique_ptr<Halvard::Engine> engine_;
};

} // namespace Testing
