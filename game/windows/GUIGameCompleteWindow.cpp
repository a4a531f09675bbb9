#include "game/windows/GUIGameCompleteWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameCompleteWindow::GUIGameCompleteWindow(const MenuWindowParts& parts)
    : GUIButtonRowWindow(parts, kDescriptionName, {{"/window/button_0", WindowResult::kDone}})
{
}

} // namespace Tamrisk
