#include "game/windows/menus/GUIProfileNameConflictWindow.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIProfileNameConflictWindow::GUIProfileNameConflictWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                           GameData* resources, GUITools::GUIToolManager* tools,
                                                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      controls_(engine->GetControls()), back_(GetButton(GetName() + "/window/button_0"))
{
}

GUIProfileNameConflictWindow::~GUIProfileNameConflictWindow() = default;

void GUIProfileNameConflictWindow::ShowWindow(Halvard::u32 opener)
{
    GUIProfileNameConflictWindowBase::ShowWindow(opener);
    GUIMenuWindow::Show(true);
}

void GUIProfileNameConflictWindow::HideWindow()
{
    GUIProfileNameConflictWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIProfileNameConflictWindow::UpdateWindow()
{
    GUIProfileNameConflictWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if ((back_ != nullptr && back_->clicked) || controls_->IsKeyPressed(Halvard::KeyNames::kEnter))
        SetResult(GetOpener() == GameFramework::WindowSource::kNewProfile ? WindowResult::kNewProfile
                                                                          : WindowResult::kRenameProfile);
}

} // namespace Tamrisk
