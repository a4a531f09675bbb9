#include "game/windows/menus/GUIExitWindow.h"

#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"

namespace Tamrisk {

namespace {

using GameFramework::WindowResult;
using GameFramework::WindowSource;

enum Row : std::size_t { kYes, kNo };

} // namespace

GUIExitWindow::GUIExitWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                             GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_1", WindowResult::kExitProgram},
                          {"/window/button_0", WindowResult::kNone}})
{
}

Halvard::u32 GUIExitWindow::GetResultOf(std::size_t index) const
{
    if (index == kYes)
        return WindowResult::kExitProgram;
    switch (GetOpener()) {
    case WindowSource::kWelcome:
        return WindowResult::kWelcome;
    case WindowSource::kMainMenu:
        return WindowResult::kMainMenu;
    case WindowSource::kNewProfile:
        return WindowResult::kNewProfile;
    default:
        return WindowResult::kNone;
    }
}

} // namespace Tamrisk
