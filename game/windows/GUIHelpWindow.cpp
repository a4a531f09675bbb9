#include "game/windows/GUIHelpWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIHelpWindow::GUIHelpWindow(const MenuWindowParts& parts)
    : GUIButtonRowWindow(parts, kDescriptionName, {{"/window/button_0", WindowResult::kMainMenu}})
{
}

} // namespace Tamrisk
