#include "game/windows/menus/GUIRenameProfileWindow.h"

#include "engine/app/Engine.h"
#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIRenameProfileWindow::GUIRenameProfileWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                                               GameFramework::SoundSet* sounds, GameData* resources,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Halvard::GUIWindow* parent)
    : GUIRenameProfileWindowBase(profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      form_(*this, engine->GetControls())
{
}

GUIRenameProfileWindow::~GUIRenameProfileWindow() = default;

void GUIRenameProfileWindow::ShowWithName(Halvard::u32 opener, bool keepName, const std::wstring& name)
{
    GUIRenameProfileWindowBase::ShowWithName(opener, keepName, name);
    GUIMenuWindow::Show(true);
    if (keepName)
        form_.SetName(name);
}

void GUIRenameProfileWindow::HideWindow()
{
    GUIRenameProfileWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIRenameProfileWindow::UpdateWindow()
{
    GUIRenameProfileWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (form_.IsOtherClicked())
        SetResult(WindowResult::kProfiles);
    if (!form_.IsAccepted())
        return;
    // A blank name would leave a profile the profile list cannot name.
    const std::wstring name = form_.GetName();
    if (!name.empty())
        SetResult(RenameProfile(name) ? WindowResult::kProfiles : WindowResult::kNameConflict);
}

} // namespace Tamrisk
