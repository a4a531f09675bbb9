#include "game/windows/menus/GUINewProfileWindow.h"

#include "engine/app/Engine.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUINewProfileWindow::GUINewProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                                         GameFramework::SoundSet* sounds, GameData* resources,
                                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                         Halvard::GUIWindow* parent)
    : GUINewProfileWindowBase(profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      form_(*this, engine->GetControls()), cancelTitle_(GetTextControl(GetName() + "/window/button_0/title"))
{
}

GUINewProfileWindow::~GUINewProfileWindow() = default;

void GUINewProfileWindow::ShowFrom(Halvard::u32 opener, bool clearName)
{
    GUINewProfileWindowBase::ShowFrom(opener, clearName);
    GUIMenuWindow::Show(true);
    if (clearName)
        form_.SetName(std::wstring());
    noProfiles_ = GetProfileManager()->GetProfileCount() == 0;
    if (cancelTitle_ != nullptr)
        cancelTitle_->SetText(noProfiles_ ? "common/exit" : "common/cancel");
}

void GUINewProfileWindow::HideWindow()
{
    GUINewProfileWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUINewProfileWindow::UpdateWindow()
{
    GUINewProfileWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (form_.IsOtherClicked())
        SetResult(noProfiles_ ? WindowResult::kExitQuestion : WindowResult::kProfiles);
    if (!form_.IsAccepted())
        return;
    // A blank name would make a profile the profile list cannot name.
    const std::wstring name = form_.GetName();
    if (!name.empty())
        SetResult(CreateProfile(name) ? WindowResult::kProfiles : WindowResult::kNameConflict);
}

} // namespace Tamrisk
