#include "game/windows/level/GUIGameOverWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameOverWindow::GUIGameOverWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                     GameData* resources, GUITools::GUIToolManager* tools,
                                     GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_0", WindowResult::kDone}})
{
    EnableMount(GetStaticTitleMount(), false);
}

void GUIGameOverWindow::OnShow()
{
    EnableMount(GetAnimatedTitleMount(), true);
}

void GUIGameOverWindow::OnHide()
{
    EnableMount(GetAnimatedTitleMount(), false);
}

} // namespace Tamrisk
