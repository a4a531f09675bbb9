#include "bench/BenchEngine.h"

#include <cstdlib>

namespace Bench {

BenchEngine::BenchEngine()
    : folder_(std::filesystem::temp_directory_path() / "tamrisk-bench")
{
    // The engine opens a window and a sound device; a benchmark needs neither on screen.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::filesystem::create_directories(folder_);
    Halvard::EngineSettings settings;
    settings.logEnabled = 0;
    settings.saveConfigOnExit = 0;
    settings.configFolder = folder_.string();
    settings.defaultFullScreen = 0;
    settings.defaultVideoMode = "640x480x32";
    engine_ = std::make_unique<Halvard::Engine>(settings);
}

BenchEngine::~BenchEngine()
{
    engine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace Bench
