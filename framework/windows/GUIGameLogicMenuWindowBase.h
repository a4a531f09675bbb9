#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

namespace Halvard {
class Config;
class Engine;
} // namespace Halvard

namespace GameFramework {

class ProfileManagerBase;
class SoundSet;

// The in-game menu: window mode and volumes while a level runs. It reads the
// settings when shown and writes them back (ini file, profile) when hidden.
// The engine, sound set and profile manager outlive the window.
class GUIGameLogicMenuWindowBase : public GUIFrameworkWindow {
public:
    GUIGameLogicMenuWindowBase(Halvard::Engine* engine, SoundSet* soundSet, ProfileManagerBase* profileManager);

    // While a window-mode change is pending, follows the configured mode.
    void UpdateWindow() override;
    void ShowWindow(Halvard::u32 opener) override;
    // Saves the ini file and the current profile's volumes.
    void HideWindow() override;
    // Asks for the window mode the menu holds, when it differs from the
    // configured one.
    virtual void ApplyWindowMode();

    bool IsFullScreen() const { return fullScreen_; }
    void SetFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }
    float GetSoundVolume() const { return soundVolume_; }
    float GetMusicVolume() const { return musicVolume_; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }
    SoundSet* GetSoundSet() const { return soundSet_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    Halvard::Engine* engine_;
    Halvard::Config* config_;
    SoundSet* soundSet_;
    ProfileManagerBase* profileManager_;
    bool fullScreen_ = false;
    float soundVolume_;
    float musicVolume_;
};

} // namespace GameFramework
