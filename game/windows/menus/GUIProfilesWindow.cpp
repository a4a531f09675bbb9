#include "game/windows/menus/GUIProfilesWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIScroll.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUIControl.h"
#include "gui_tools/controls/GUITextControl.h"

#include <algorithm>

namespace Tamrisk {

namespace {

using GameFramework::WindowResult;

constexpr const char* kButtonPrefix = "/window/text_area/button_profile_";

// Setting a font lays the text out again: only a change is set.
void SetFontOnce(GUITools::GUITextControl* title, const char* font)
{
    if (title != nullptr && title->GetFontName() != font)
        title->SetFont(font);
}

} // namespace

GUIProfilesWindow::GUIProfilesWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                     GameFramework::ProfileManagerBase* profiles, GameData* resources,
                                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                     Halvard::GUIWindow* parent)
    : GUIProfilesWindowBase(profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      scroll_(GetScroll(GetName() + "/window/scroll")), create_(GetButton(GetName() + "/window/create")),
      rename_(GetButton(GetName() + "/window/rename")), delete_(GetButton(GetName() + "/window/delete")),
      done_(GetButton(GetName() + "/window/done"))
{
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        const std::string path = GetName() + kButtonPrefix + std::to_string(kButtonCount - 1 - i);
        buttons_[i] = GetButton(path);
        titles_[i] = GetTextControl(path + "/title");
        controls_[i] = GetControl(path);
    }
    // The first player sits at the top, where the track ends.
    if (scroll_ != nullptr)
        scroll_->inverted = true;
}

GUIProfilesWindow::~GUIProfilesWindow() = default;

void GUIProfilesWindow::ShowWindow(Halvard::u32 opener)
{
    GUIProfilesWindowBase::ShowWindow(opener);
    SetSelectedName(std::wstring());
    const GameFramework::ProfileManagerBase& profiles = *GetProfileManager();
    const GameFramework::ProfileBase* current = profiles.GetCurrentProfile();
    names_.clear();
    if (current != nullptr)
        names_.push_back(current->GetName());
    for (const auto& profile : profiles.GetProfiles()) {
        if (profile.get() != current)
            names_.push_back(profile->GetName());
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        if (controls_[i] != nullptr)
            EnableControl(controls_[i], i < names_.size());
    }
    if (scroll_ != nullptr) {
        const bool fits = names_.size() <= kButtonCount;
        scroll_->SetEnabled(!fits);
        scroll_->SetPositionCount(fits ? 2 : static_cast<Halvard::u32>(names_.size() - kButtonCount + 1));
        scroll_->SetPosition(0);
    }
    GUIMenuWindow::Show(true);
}

void GUIProfilesWindow::HideWindow()
{
    GUIProfilesWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIProfilesWindow::UpdateWindow()
{
    GUIProfilesWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    ShowNames();
    SelectClicked();
    FollowCurrent();
    ReadClicks();
}

// The buttons that show a name at the present scroll position.
std::size_t GUIProfilesWindow::ShownCount() const
{
    const std::size_t first = scroll_ != nullptr ? scroll_->GetPosition() : 0;
    return first >= names_.size() ? 0 : std::min(kButtonCount, names_.size() - first);
}

void GUIProfilesWindow::ShowNames()
{
    const std::size_t first = scroll_ != nullptr ? scroll_->GetPosition() : 0;
    for (std::size_t i = 0; i < ShownCount(); ++i) {
        if (titles_[i] != nullptr && titles_[i]->GetText() != names_[first + i])
            titles_[i]->SetRawText(names_[first + i]);
    }
}

void GUIProfilesWindow::SelectClicked()
{
    const std::size_t first = scroll_ != nullptr ? scroll_->GetPosition() : 0;
    GameFramework::ProfileManagerBase& profiles = *GetProfileManager();
    for (std::size_t i = 0; i < ShownCount(); ++i) {
        if (buttons_[i] == nullptr || !buttons_[i]->clicked)
            continue;
        if (GameFramework::ProfileBase* profile = profiles.GetProfile(names_[first + i]))
            profiles.SetCurrentProfile(profile, GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
    }
}

// The current player's button takes no click; the others light up under
// the cursor.
void GUIProfilesWindow::FollowCurrent()
{
    const std::size_t first = scroll_ != nullptr ? scroll_->GetPosition() : 0;
    const GameFramework::ProfileBase* current = GetProfileManager()->GetCurrentProfile();
    for (std::size_t i = 0; i < ShownCount(); ++i) {
        Halvard::GUIButton* button = buttons_[i];
        if (button == nullptr)
            continue;
        if (current != nullptr && current->GetName() == names_[first + i]) {
            button->SetEnabled(false);
            SetFontOnce(titles_[i], "common_1");
        } else {
            button->SetEnabled(true);
            SetFontOnce(titles_[i], button->over ? "common_2" : "common_0");
        }
    }
}

void GUIProfilesWindow::ReadClicks()
{
    const GameFramework::ProfileBase* current = GetProfileManager()->GetCurrentProfile();
    const std::wstring currentName = current != nullptr ? current->GetName() : std::wstring();
    if (create_ != nullptr && create_->clicked)
        SetResult(WindowResult::kNewProfile);
    if (rename_ != nullptr && rename_->clicked) {
        SetResult(WindowResult::kRenameProfile);
        SetSelectedName(currentName);
    }
    if (delete_ != nullptr && delete_->clicked) {
        SetResult(WindowResult::kDeleteProfile);
        SetSelectedName(currentName);
    }
    if (done_ != nullptr && done_->clicked)
        SetResult(WindowResult::kMainMenu);
}

} // namespace Tamrisk
