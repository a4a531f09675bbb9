#include "game/windows/GUIGameLogicPauseWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(const MenuWindowParts& parts)
    : GUIButtonRowWindow(parts, kDescriptionName, {{"/window/button_0", WindowResult::kResume}})
{
    EnableMount(GetStaticTitleMount(), false);
}

} // namespace Tamrisk
