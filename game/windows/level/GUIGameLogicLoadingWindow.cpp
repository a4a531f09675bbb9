#include "game/windows/level/GUIGameLogicLoadingWindow.h"

namespace Tamrisk {

GUIGameLogicLoadingWindow::GUIGameLogicLoadingWindow(Halvard::Engine* engine, GameFramework::LevelManagerBase*,
                                                     GameFramework::SoundSet* sounds, GameData* resources,
                                                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                                     Halvard::GUIWindow* parent)
    : GUIMenuLoadingWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName)
{
}

GUIGameLogicLoadingWindow::~GUIGameLogicLoadingWindow() = default;

} // namespace Tamrisk
