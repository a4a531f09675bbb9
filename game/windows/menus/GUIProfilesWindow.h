#pragma once

#include "framework/windows/GUIProfilesWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

#include <array>
#include <string>
#include <vector>

namespace Halvard {
class GUIButton;
class GUIScroll;
} // namespace Halvard

namespace GUITools {
class GUIControl;
}

namespace Tamrisk {

// The list of players, "window_profiles": nine name buttons, the top one
// "/window/text_area/button_profile_8" down to "_0", over which a scroll bar
// moves the list; a click makes that player current (its button then shows
// disabled in "common_1"); buttons to create, rename and delete a profile and
// to go back. The list is taken when the window shows: the current player
// first, then the others in the manager's order. A missing control is logged
// when looked up and skipped afterwards. The profile manager must outlive the
// window. Main thread only.
class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_profiles";
    static constexpr std::size_t kButtonCount = 9;

    GUIProfilesWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                      GameFramework::ProfileManagerBase* profiles, GameData* resources,
                      GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIProfilesWindow() override;

    // Takes the list, hides the buttons beyond it and fits the scroll bar:
    // disabled with 2 positions while the list fits, else one position for
    // each player beyond the ninth and one more.
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    // Once on screen: the names at the scroll position, the clicked player
    // made current, the buttons' fonts, and the result of this frame's
    // clicks: create 6, rename 7, delete 8 (both keeping the current
    // player's name), done 3, a later one in this order replacing an earlier.
    void UpdateWindow() override;

    const std::vector<std::wstring>& GetShownNames() const { return names_; }
    // List position i is the button numbered 8 - i; null where missing.
    Halvard::GUIButton* GetProfileButton(std::size_t index) const { return buttons_[index]; }
    GUITools::GUITextControl* GetProfileTitle(std::size_t index) const { return titles_[index]; }
    Halvard::GUIScroll* GetScrollBar() const { return scroll_; }

private:
    std::size_t ShownCount() const;
    void ShowNames();
    void SelectClicked();
    void FollowCurrent();
    void ReadClicks();

    std::array<Halvard::GUIButton*, kButtonCount> buttons_{};
    std::array<GUITools::GUITextControl*, kButtonCount> titles_{};
    std::array<GUITools::GUIControl*, kButtonCount> controls_{};
    Halvard::GUIScroll* scroll_;
    Halvard::GUIButton* create_;
    Halvard::GUIButton* rename_;
    Halvard::GUIButton* delete_;
    Halvard::GUIButton* done_;
    std::vector<std::wstring> names_;
};

} // namespace Tamrisk
