#pragma once

#include "gui_tools/GUIBackgroundBase.h"

namespace Tamrisk {

// The menus' background, "data\ui\background\background.xml", top level,
// with its basic layers built at once and its upper window raised above the
// game's windows. Main thread only.
class GUIBackground : public GUITools::GUIBackgroundBase {
public:
    static constexpr const char* kDescriptionPath = "data\\ui\\background\\background.xml";
    // How far the upper window is raised above the layers.
    static constexpr Halvard::i32 kUpperLayerRaise = 20;

    GUIBackground(Halvard::Engine* engine, GameTools::DataKeeper* resources);
};

} // namespace Tamrisk
