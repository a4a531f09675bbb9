#pragma once

#include "engine/core/TimerManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RenderHarness.h"
#include "tests/support/ScopedClock.h"
#include "tools/ModelWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace Testing {

// A model manager and everything it draws with, on the fake video system,
// reading from a temporary data folder, timed by a clock that moves only
// when the test moves it. The default camera sits at the origin looking
// down -z.
class ModelHarness {
public:
    ModelHarness();

    Halvard::ModelManager& Start(bool stencilRequest = false);
    void WriteModel(const std::string& name, const Tools::ModelFileData& data);
    // Moves the clock on and updates the timers and cameras.
    void NextFrame(double seconds);
    // The vertex counts of the draws recorded since the last call.
    std::vector<Halvard::u32> TakeDrawnVertexCounts();

    FakeClock clock;
    ScopedClock scopedClock{clock};
    RenderHarness render;
    ImageFolder folder;
    Halvard::TimerManager timers;
    std::unique_ptr<Halvard::CameraManager> cameras;
    std::unique_ptr<Halvard::LightManager> lights;
    std::unique_ptr<Halvard::ShaderManager> shaders;
    std::unique_ptr<Halvard::ModelManager> models;

private:
    std::size_t seenCalls_ = 0;
};

} // namespace Testing
