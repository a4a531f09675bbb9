#include "game/windows/GUIGameLogicMenuWindow.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/windows/VideoSettingsAccess.h"
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
    : GUIGameLogicMenuWindowBase(engine, sounds, profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      soundScroll_(GetScroll(GetName() + "/window/sound")),
      musicScroll_(GetScroll(GetName() + "/window/music")),
      fullScreenBox_(GetCheckBox(GetName() + "/window/fullscreen")),
      menuExitButton_(GetButton(GetName() + "/window/button_0")),
      restartButton_(GetButton(GetName() + "/window/button_1")),
      resumeButton_(GetButton(GetName() + "/window/button_2")),
      frameShowOffset_(ShowOffsetOf(GetFrame())),
      controlShowOffset_(ShowOffsetOf(GetControl(GetName() + "/window/button_0"))),
      volumes_(soundScroll_, musicScroll_, sounds)
{
}

GUIGameLogicMenuWindow::~GUIGameLogicMenuWindow() = default;

void GUIGameLogicMenuWindow::ShowWindow(Halvard::u32 opener)
{
    GUIGameLogicMenuWindowBase::ShowWindow(opener);
    const bool fromGame = opener == GameFramework::WindowSource::kGameLogic;
    EnableTitleMounts(fromGame);
    if (fromGame)
        SetShowOffsets(frameShowOffset_, controlShowOffset_);
    else
        SetShowOffsets(0.0f, controlShowOffset_ - frameShowOffset_);
    GUIMenuWindow::Show(true);
    volumes_.Show(GetSoundVolume(), GetMusicVolume());
    if (fullScreenBox_ != nullptr)
        fullScreenBox_->checked = IsFullScreen();
}

void GUIGameLogicMenuWindow::HideWindow()
{
    GUIGameLogicMenuWindowBase::HideWindow();
    EnableTitleMounts(GetResult() == WindowResult::kResume);
    GUIMenuWindow::Show(false);
}

void GUIGameLogicMenuWindow::EnableTitleMounts(bool animated)
{
    if (GetAnimatedTitleMount() != nullptr)
        EnableControl(GetAnimatedTitleMount(), animated);
    if (GetStaticTitleMount() != nullptr)
        EnableControl(GetStaticTitleMount(), !animated);
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

void GUIGameLogicMenuWindow::UpdateWindow()
{
    GUIGameLogicMenuWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    // A window-mode switch made elsewhere (Alt+Enter) shows in the box.
    const Halvard::Config& config = *GUIGameLogicMenuWindowBase::GetEngine()->GetConfig();
    if (fullScreenBox_ != nullptr &&
        GameFramework::VideoSettingsAccess::IsPending(config, GameFramework::VideoSettingsAccess::kWindowChangeMode))
        fullScreenBox_->checked = IsFullScreen();
    if (!GUIMenuWindow::IsVisible())
        return;
    volumes_.Follow();
    if (fullScreenBox_ != nullptr && fullScreenBox_->clicked) {
        SetFullScreen(fullScreenBox_->checked);
        ApplyWindowMode();
    }
    ReadClicks();
}

void GUIGameLogicMenuWindow::ReadClicks()
{
    const std::pair<const Halvard::GUIButton*, Halvard::u32> results[] = {
        {menuExitButton_, WindowResult::kMenuExitQuestion},
        {restartButton_, WindowResult::kRestartQuestion},
        {resumeButton_, WindowResult::kResume},
    };
    for (const auto& [button, result] : results) {
        if (button != nullptr && button->clicked)
            SetResult(result);
    }
}

} // namespace Tamrisk
