#pragma once

#include "framework/windows/GUIMainMenuWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

#include <array>

namespace Halvard {
class GUIButton;
}

namespace GameFramework {
class ProfileManagerBase;
}

namespace Tamrisk {

// The main menu, "window_main_menu": six buttons under the frame (start,
// high scores, options, change player, credits, exit), each with a title
// whose font follows the button's state, and a title greeting the current
// profile ("%PROFILE_NAME%"). The buttons take clicks only once the frame
// is shown (or, without a frame, while the window is visible). A missing
// button or title is logged when looked up and skipped afterwards. The
// profile manager must outlive the window. Main thread only.
class GUIMainMenuWindow : public GameFramework::GUIMainMenuWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_main_menu";
    static constexpr std::size_t kButtonCount = 6;
    // The buttons in their order.
    enum ButtonIndex : std::size_t { kStart, kHighScores, kOptions, kChangePlayer, kCredits, kExit };

    GUIMainMenuWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                      GameFramework::SoundSet* sounds, GameData* resources, GUITools::GUIToolManager* tools,
                      GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUIMainMenuWindow() override;

    // Asks for the screen, greets the current profile (an empty name
    // without one) and disables the buttons until the frame shows.
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    // The titles' fonts, the buttons' enabling and the result of this
    // frame's clicks: change player 5, start 24, high scores 10, options 11,
    // exit 4, credits 12, a later one in this order replacing an earlier.
    void UpdateWindow() override;

    // Null where the description lacks the control.
    Halvard::GUIButton* GetMenuButton(std::size_t index) const { return buttons_[index]; }
    GUITools::GUITextControl* GetButtonTitle(std::size_t index) const { return titles_[index]; }

private:
    void FollowButtonStates();
    void ReadClicks();

    GameFramework::ProfileManagerBase* profiles_;
    std::array<Halvard::GUIButton*, kButtonCount> buttons_{};
    std::array<GUITools::GUITextControl*, kButtonCount> titles_{};
};

} // namespace Tamrisk
