#pragma once

#include "engine/app/Engine.h"
#include "tests/support/TempFolder.h"

#include <memory>

namespace Testing {

// An engine whose program folder, log and ini file live in a temporary
// folder of its own, windowed and small; a stencil buffer on request.
class TestEngine {
public:
    explicit TestEngine(bool stencilRequest = false);
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
