#include "tests/support/TestEngine.h"

#include "platform/os/Paths.h"

#include <cstdlib>

namespace Testing {

TestEngine::TestEngine(TestEngineOptions options)
{
    // The engine opens a window and a sound device; no test or benchmark
    // needs either on screen or on a speaker.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    Platform::SetProgramFolder(folder_.Path().string());
    Halvard::EngineSettings settings;
    settings.configFolder = folder_.Internal();
    settings.logFolder = folder_.Internal();
    settings.defaultVideoMode = options.videoMode;
    settings.defaultFullScreen = 0;
    settings.saveConfigOnExit = 0;
    settings.stencilRequest = options.stencilRequest ? 1 : 0;
    settings.logEnabled = options.logEnabled ? 1 : 0;
    settings.installFolder = options.installFolder;
    engine_ = std::make_unique<Halvard::Engine>(settings);
}

TestEngine::~TestEngine()
{
    engine_.reset();
    Platform::SetProgramFolder("");
}

} // namespace Testing
