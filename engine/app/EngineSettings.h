#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

// What the application fills in before it creates the engine.
struct EngineSettings {
    std::string applicationName;
    u32 versionNumber = 0;
    std::string installFolder;
    u8 saveConfigOnExit = 1;
    std::string configName;
    u8 logEnabled = 1;
    u8 logReopen = 0;
    std::string logFolder;
    std::string logName;
    std::string configFolder;
    std::string dataFolder = "Data";
    u32 parentWindow = 0;
    u32 iconId = 0;
    u8 forceDefaultVideoMode = 0;
    std::string defaultVideoMode = "800x600x32";
    u8 forceDefaultFullScreen = 0;
    u8 defaultFullScreen = 1;
    u8 keepWindowSize = 0;
    u8 stencilRequest = 0;
    u8 centerWindow = 1;
    u32 windowPositionX = 0;
    u32 windowPositionY = 0;
    u8 sound3D = 0;
};

} // namespace Halvard
