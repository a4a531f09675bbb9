#include "game/windows/menus/GUISaveTroubleWindow.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

namespace Tamrisk {

using GameFramework::SaveTrouble;

GUISaveTroubleWindow::GUISaveTroubleWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                           GameData* resources, GUITools::GUIToolManager* tools,
                                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      controls_(engine->GetControls()), close_(GetButton(GetName() + "/window/button_0"))
{
}

GUISaveTroubleWindow::~GUISaveTroubleWindow() = default;

void GUISaveTroubleWindow::ShowNotice(Halvard::u32 opener, SaveTrouble::Kind kind, const std::wstring& file)
{
    const std::string stem = std::string("save_trouble/") + KeyOf(kind);
    if (GetTitle() != nullptr)
        GetTitle()->SetText(stem + "/title");
    if (GetWindowText() != nullptr) {
        GetWindowText()->SetText(stem + "/text");
        GetWindowText()->SetParameter(L"FILE", L"\"" + file + L"\"");
    }
    ShowWindow(opener);
}

const char* GUISaveTroubleWindow::KeyOf(SaveTrouble::Kind kind)
{
    switch (kind) {
    case SaveTrouble::Kind::kNoRoom:
        return "no_room";
    case SaveTrouble::Kind::kFolderClosed:
        return "folder_closed";
    case SaveTrouble::Kind::kNoFolder:
        return "no_folder";
    case SaveTrouble::Kind::kNotRead:
        return "not_read";
    case SaveTrouble::Kind::kSavedElsewhere:
        return "saved_elsewhere";
    default:
        return "not_saved";
    }
}

void GUISaveTroubleWindow::ShowWindow(Halvard::u32 opener)
{
    GUIFrameworkWindow::ShowWindow(opener);
    GUIMenuWindow::Show(true);
}

void GUISaveTroubleWindow::HideWindow()
{
    GUIFrameworkWindow::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUISaveTroubleWindow::UpdateWindow()
{
    GUIFrameworkWindow::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if ((close_ != nullptr && close_->clicked) || controls_->IsKeyPressed(Halvard::KeyNames::kEnter))
        SetResult(GameFramework::WindowResult::kDone);
}

} // namespace Tamrisk
