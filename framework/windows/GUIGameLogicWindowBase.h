#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

namespace Halvard {
class Config;
class Engine;
class Window;
} // namespace Halvard

namespace GameFramework {

class GameLogicBase;
class ProfileBase;
class ProfileManagerBase;

// The window a level is played in. It keeps the running logic and the
// current profile while shown; the application deactivates it while another
// window covers it, and the game's window handles input only while active.
// The engine and profile manager outlive the window; the logic is the
// application's.
class GUIGameLogicWindowBase : public GUIFrameworkWindow {
public:
    GUIGameLogicWindowBase(Halvard::Engine* engine, ProfileManagerBase* profileManager);

    // While a window-mode change is pending, follows the configured mode.
    void UpdateWindow() override;
    // Forgets the logic and the profile.
    void HideWindow() override;
    // Shows the window for the logic and the current profile, active.
    virtual void ShowGameLogic(Halvard::u32 opener, GameLogicBase* gameLogic);
    virtual void SetActive(bool active);

    // Minimises the application window.
    void MinimizeWindow();
    // The level's running score plus the profile's score from earlier levels,
    // less the points held back.
    Halvard::u32 GetTotalScore() const;
    // Points of the profile's score the total leaves out until they are
    // counted up elsewhere on screen: a level's time bonus, saved at once,
    // rises in the score as its window counts it. Forgotten when the window
    // shows or hides.
    void HoldBackScore(Halvard::u32 points) { heldBack_ = points; }

    bool IsActive() const { return active_; }
    bool IsFullScreen() const { return fullScreen_; }
    GameLogicBase* GetGameLogic() const { return gameLogic_; }
    ProfileBase* GetProfile() const { return profile_; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }
    // The player's choice, from the game window's full-screen box.
    void SetFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }

private:
    Halvard::Engine* engine_;
    Halvard::Config* config_;
    Halvard::Window* window_;
    ProfileManagerBase* profileManager_;
    ProfileBase* profile_ = nullptr;
    GameLogicBase* gameLogic_ = nullptr;
    Halvard::u32 heldBack_ = 0;
    bool fullScreen_ = false;
    bool active_ = false;
};

} // namespace GameFramework
