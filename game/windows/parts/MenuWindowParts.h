#pragma once

namespace Halvard {
class Engine;
class GUIWindow;
} // namespace Halvard

namespace GameFramework {
class SoundSet;
}

namespace GUITools {
class GUIToolManager;
}

namespace Tamrisk {

class GameData;
class GUIMenuWindowManager;

// What every menu window stands on, gathered for the constructor of a shared
// window base: none of it is owned by the window, all of it must outlive it.
struct MenuWindowParts {
    Halvard::Engine* engine = nullptr;
    GameFramework::SoundSet* sounds = nullptr;
    GameData* resources = nullptr;
    GUITools::GUIToolManager* tools = nullptr;
    GUIMenuWindowManager* manager = nullptr;
    Halvard::GUIWindow* parent = nullptr;
};

} // namespace Tamrisk
