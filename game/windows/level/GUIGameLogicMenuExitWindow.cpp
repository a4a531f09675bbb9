#include "game/windows/level/GUIGameLogicMenuExitWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicMenuExitWindow::GUIGameLogicMenuExitWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                       GameData* resources, GUITools::GUIToolManager* tools,
                                                       GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_1", WindowResult::kMainMenu},
                          {"/window/button_0", WindowResult::kGameLogicMenu}})
{
    EnableMount(GetAnimatedTitleMount(), false);
}

void GUIGameLogicMenuExitWindow::OnShow()
{
    EnableMount(GetStaticTitleMount(), true);
}

void GUIGameLogicMenuExitWindow::OnHide()
{
    EnableMount(GetStaticTitleMount(), GetResult() == WindowResult::kGameLogicMenu);
}

} // namespace Tamrisk
