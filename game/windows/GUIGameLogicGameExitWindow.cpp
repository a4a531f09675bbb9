#include "game/windows/GUIGameLogicGameExitWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(const MenuWindowParts& parts)
    : GUIButtonRowWindow(parts, kDescriptionName,
                         {{"/window/button_1", WindowResult::kExitProgram},
                          {"/window/button_0", WindowResult::kResume}})
{
    EnableMount(GetStaticTitleMount(), false);
}

} // namespace Tamrisk
