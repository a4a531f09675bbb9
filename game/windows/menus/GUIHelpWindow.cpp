#include "game/windows/menus/GUIHelpWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIHelpWindow::GUIHelpWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                             GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_0", WindowResult::kMainMenu}})
{
}

} // namespace Tamrisk
