#include "game/windows/level/GUIGameLogicRestartWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicRestartWindow::GUIGameLogicRestartWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                     GameData* resources, GUITools::GUIToolManager* tools,
                                                     GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_1", WindowResult::kEndLevel},
                          {"/window/button_0", WindowResult::kGameLogicMenu}})
{
    EnableMount(GetAnimatedTitleMount(), false);
}

void GUIGameLogicRestartWindow::OnShow()
{
    EnableMount(GetStaticTitleMount(), true);
}

void GUIGameLogicRestartWindow::OnHide()
{
    EnableMount(GetStaticTitleMount(), GetResult() == WindowResult::kGameLogicMenu);
}

} // namespace Tamrisk
