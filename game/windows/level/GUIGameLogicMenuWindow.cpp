#include "game/windows/level/GUIGameLogicMenuWindow.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUICheckBox.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "gui_tools/controls/GUIControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

namespace Tamrisk {

namespace {

using GameFramework::WindowResult;

float ShowOffsetOf(const GUITools::GUIControl* control)
{
    return control != nullptr ? control->GetFader().showOffset : 0.0f;
}

} // namespace

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                               GameFramework::ProfileManagerBase* profiles, GameData* resources,
                                               GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                               Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_0", WindowResult::kMenuExitQuestion},
                          {"/window/button_1", WindowResult::kRestartQuestion},
                          {"/window/button_2", WindowResult::kResume}},
                         engine, sounds, profiles),
      settings_(*this, sounds, engine->GetConfig()),
      frameShowOffset_(ShowOffsetOf(GetFrame())),
      controlShowOffset_(ShowOffsetOf(GetControl(GetName() + "/window/button_0")))
{
}

GUIGameLogicMenuWindow::~GUIGameLogicMenuWindow() = default;

void GUIGameLogicMenuWindow::OnShow()
{
    const bool fromGame = GetOpener() == GameFramework::WindowSource::kGameLogic;
    EnableTitleMounts(fromGame);
    if (fromGame)
        SetShowOffsets(frameShowOffset_, controlShowOffset_);
    else
        SetShowOffsets(0.0f, controlShowOffset_ - frameShowOffset_);
    settings_.Show(GetSoundVolume(), GetMusicVolume(), IsFullScreen());
}

void GUIGameLogicMenuWindow::OnHide() { EnableTitleMounts(GetResult() == WindowResult::kResume); }

void GUIGameLogicMenuWindow::EnableTitleMounts(bool animated)
{
    EnableMount(GetAnimatedTitleMount(), animated);
    EnableMount(GetStaticTitleMount(), !animated);
}

void GUIGameLogicMenuWindow::SetShowOffsets(float frameOffset, float controlOffset)
{
    for (const auto& control : GetControls()) {
        GUITools::GUIFaderSettings fader = control->GetFader();
        if (control->GetFaderName() == kFrameFader)
            fader.showOffset = frameOffset;
        else if (control->GetFaderName() == kControlFader)
            fader.showOffset = controlOffset;
        else
            continue;
        control->SetFader(control->GetFaderName(), fader);
    }
}

// The row's buttons are read first; their results and the settings touch
// nothing of each other.
void GUIGameLogicMenuWindow::UpdateWindow()
{
    GUIButtonRowWindow::UpdateWindow();
    settings_.FollowWindowMode(IsFullScreen());
    if (!GUIMenuWindow::IsVisible())
        return;
    settings_.FollowVolumes();
    const Halvard::GUICheckBox* fullScreenBox = GetFullScreenBox();
    if (fullScreenBox != nullptr && fullScreenBox->clicked) {
        SetFullScreen(fullScreenBox->checked);
        ApplyWindowMode();
    }
}

} // namespace Tamrisk
