#include "tests/support/TestEngine.h"

#include "platform/os/Paths.h"

namespace Testing {

TestEngine::TestEngine(bool stencilRequest)
{
    Platform::SetProgramFolder(folder_.Path().string());
    Halvard::EngineSettings settings;
    settings.configFolder = folder_.Internal();
    settings.logFolder = folder_.Internal();
    settings.defaultVideoMode = "640x480x32";
    settings.defaultFullScreen = 0;
    settings.saveConfigOnExit = 0;
    settings.stencilRequest = stencilRequest ? 1 : 0;
    engine_ = std::make_unique<Halvard::Engine>(settings);
}

TestEngine::~TestEngine()
{
    engine_.reset();
    Platform::SetProgramFolder("");
}

} // namespace Testing
