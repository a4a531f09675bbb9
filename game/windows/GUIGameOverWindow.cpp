#include "game/windows/GUIGameOverWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameOverWindow::GUIGameOverWindow(const MenuWindowParts& parts)
    : GUIButtonRowWindow(parts, kDescriptionName, {{"/window/button_0", WindowResult::kDone}})
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
