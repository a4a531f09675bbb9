#include "game/windows/menus/GUIOptionsWindow.h"

#include "engine/app/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

namespace Tamrisk {

namespace {

// The sizes the game offers; a configured size not among them opens as the
// default one.
constexpr Halvard::u32 kVideoModes[][2] = {{640, 480}, {800, 600}, {1024, 768}};

} // namespace

GUIOptionsWindow::GUIOptionsWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                   GameFramework::ProfileManagerBase* profiles, GameData* resources,
                                   GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                   Halvard::GUIWindow* parent)
    : GUIOptionsWindowBase(engine, sounds, profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      settings_(*this, sounds, engine->GetConfig()),
      videoModeText_(GetTextControl(GetName() + "/window/video_mode/text")),
      decreaseButton_(GetButton(GetName() + "/window/decrease_video_mode")),
      increaseButton_(GetButton(GetName() + "/window/increase_video_mode")),
      confirmButton_(GetButton(GetName() + "/window/button_2")),
      defaultsButton_(GetButton(GetName() + "/window/button_1")),
      cancelButton_(GetButton(GetName() + "/window/button_0"))
{
    for (const auto& mode : kVideoModes)
        AddVideoMode(mode[0], mode[1]);
}

GUIOptionsWindow::~GUIOptionsWindow() = default;

void GUIOptionsWindow::ShowWindow(Halvard::u32 opener)
{
    GUIOptionsWindowBase::ShowWindow(opener);
    GUIMenuWindow::Show(true);
    settings_.Show(GetSoundVolume(), GetMusicVolume(), IsFullScreen());
    ShowVideoMode();
}

void GUIOptionsWindow::HideWindow()
{
    GUIOptionsWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIOptionsWindow::UpdateWindow()
{
    GUIOptionsWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    settings_.FollowWindowMode(IsFullScreen());
    if (!GUIMenuWindow::IsVisible())
        return;
    settings_.FollowVolumes();
    StepVideoMode();
    ReadButtons();
    ShowVideoMode();
}

bool GUIOptionsWindow::Clicked(const Halvard::GUIButton* button) { return button != nullptr && button->clicked; }

void GUIOptionsWindow::StepVideoMode()
{
    const Halvard::u32 selected = GetSelectedMode();
    if (Clicked(decreaseButton_) && selected > 0)
        SetSelectedMode(selected - 1);
    if (Clicked(increaseButton_) && GetSelectedMode() + 1 < GetVideoModes().size())
        SetSelectedMode(GetSelectedMode() + 1);
}

void GUIOptionsWindow::ReadButtons()
{
    if (Clicked(confirmButton_)) {
        if (GetFullScreenBox() != nullptr)
            SetFullScreen(GetFullScreenBox()->checked);
        ApplyVideoOptions();
        SetResult(GameFramework::WindowResult::kMainMenu);
    }
    if (Clicked(defaultsButton_)) {
        ResetToDefaults();
        GameFramework::SoundSet* sounds = GUIOptionsWindowBase::GetSoundSet();
        settings_.Show(sounds->GetSoundVolume(), sounds->GetMusicVolume(), IsFullScreen());
    }
    if (Clicked(cancelButton_)) {
        ApplyVolumes();
        SetResult(GameFramework::WindowResult::kMainMenu);
    }
}

// The name is shown as it is, not looked up: quoted, it is its own text.
// Setting a text lays it out again, so only a change is set.
void GUIOptionsWindow::ShowVideoMode()
{
    if (videoModeText_ == nullptr || GetSelectedMode() >= GetVideoModes().size())
        return;
    const std::string key = "'" + GetVideoModes()[GetSelectedMode()]->text + "'";
    if (videoModeText_->GetTextKey() != key)
        videoModeText_->SetText(key);
}

} // namespace Tamrisk
