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

void GUISaveTroubleWindow::ShowNotice(Halvard::u32 opener, SaveTrouble::Kind kind, const std::wstring& folder)
{
    const bool notRead = kind == SaveTrouble::Kind::kNotRead;
    if (GetTitle() != nullptr)
        GetTitle()->SetText(notRead ? "save_trouble/title_not_read" : "save_trouble/title_not_saved");
    if (GetWindowText() != nullptr) {
        GetWindowText()->SetText(notRead ? "save_trouble/text_not_read" : "save_trouble/text_not_saved");
        GetWindowText()->SetParameter(L"FOLDER", L"\"" + folder + L"\"");
    }
    ShowWindow(opener);
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
