#pragma once

#include <string>

namespace Halvard {

// Where the configuration keeps its ini file and what the video variables
// start from.
struct ConfigSettings {
    // The ini file is name + ".ini" in the folder; an empty name stands for
    // "Halvard", an empty folder for the file manager's base folder.
    std::string folder{};
    std::string name{};
    // An empty mode stands for "800x600x32" and forces nothing.
    std::string videoMode = "800x600x32";
    // The ini file's "v_mode" is replaced by the mode above.
    bool forceVideoMode = false;
    bool fullScreen = false;
    // The ini file's "v_fullscreen" is replaced by fullScreen.
    bool forceFullScreen = false;
};

} // namespace Halvard
