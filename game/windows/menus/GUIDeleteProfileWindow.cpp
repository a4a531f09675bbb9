#include "game/windows/menus/GUIDeleteProfileWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIDeleteProfileWindow::GUIDeleteProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                                               GameFramework::SoundSet* sounds, GameData* resources,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Halvard::GUIWindow* parent)
    : GUIDeleteProfileWindowBase(profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      no_(GetButton(GetName() + "/window/button_0")), yes_(GetButton(GetName() + "/window/button_1"))
{
}

GUIDeleteProfileWindow::~GUIDeleteProfileWindow() = default;

void GUIDeleteProfileWindow::ShowWithName(Halvard::u32 opener, const std::wstring& name)
{
    GUIDeleteProfileWindowBase::ShowWithName(opener, name);
    GUIMenuWindow::Show(true);
    if (GetWindowText() != nullptr)
        GetWindowText()->SetParameter(L"PROFILE_NAME", L"\"" + name + L"\"");
}

void GUIDeleteProfileWindow::HideWindow()
{
    GUIDeleteProfileWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIDeleteProfileWindow::UpdateWindow()
{
    GUIDeleteProfileWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (no_ != nullptr && no_->clicked)
        SetResult(WindowResult::kProfiles);
    if (yes_ != nullptr && yes_->clicked) {
        DeleteProfile();
        SetResult(GetProfileManager()->GetProfileCount() > 0 ? WindowResult::kProfiles : WindowResult::kNewProfile);
    }
}

} // namespace Tamrisk
