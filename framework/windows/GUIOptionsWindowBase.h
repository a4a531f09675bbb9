#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Config;
class Engine;
} // namespace Halvard

namespace GameFramework {

class ProfileManagerBase;
class SoundSet;

// The options: video mode, colour depth, window mode and volumes. The game's
// window fills the mode list and the fields; the base shows the configured
// values, resets to the defaults and applies the choice. The engine, sound
// set and profile manager outlive the window.
class GUIOptionsWindowBase : public GUIFrameworkWindow {
public:
    struct VideoMode {
        // "<width>x<height>".
        std::string text;
        Halvard::u32 width = 0;
        Halvard::u32 height = 0;
    };

    GUIOptionsWindowBase(Halvard::Engine* engine, SoundSet* soundSet, ProfileManagerBase* profileManager);

    // While a window-mode change is pending, follows the configured mode.
    void UpdateWindow() override;
    // Selects the configured mode, or the default mode's record when the
    // configured one is not listed (the first record when neither is).
    void ShowWindow(Halvard::u32 opener) override;
    // Stores the chosen mode and window mode; asks for a video-mode update
    // only when one of them changed. Always saves the ini file and the
    // profile's volumes.
    virtual void ApplyVideoOptions();
    virtual void ResetToDefaults();
    virtual void ApplyVolumes();

    // Keeps the list sorted by width, then height; a size already listed is
    // not added twice.
    void AddVideoMode(Halvard::u32 width, Halvard::u32 height);

    const std::vector<std::unique_ptr<VideoMode>>& GetVideoModes() const { return videoModes_; }
    Halvard::u32 GetSelectedMode() const { return selectedMode_; }
    void SetSelectedMode(Halvard::u32 index) { selectedMode_ = index; }
    Halvard::u32 GetColourDepth() const { return colourDepth_; }
    void SetColourDepth(Halvard::u32 depth) { colourDepth_ = depth; }
    bool IsFullScreen() const { return fullScreen_; }
    void SetFullScreen(bool fullScreen) { fullScreen_ = fullScreen; }
    float GetSoundVolume() const { return soundVolume_; }
    void SetSoundVolume(float volume) { soundVolume_ = volume; }
    float GetMusicVolume() const { return musicVolume_; }
    void SetMusicVolume(float volume) { musicVolume_ = volume; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }
    SoundSet* GetSoundSet() const { return soundSet_; }
    ProfileManagerBase* GetProfileManager() const { return profileManager_; }

private:
    // The record of that size; the list's size when none has it.
    Halvard::u32 FindMode(Halvard::u32 width, Halvard::u32 height) const;
    // The default mode's record (0 when it is not listed) and its depth.
    Halvard::u32 SelectDefaultMode();

    Halvard::Engine* engine_;
    Halvard::Config* config_;
    SoundSet* soundSet_;
    ProfileManagerBase* profileManager_;
    Halvard::u32 selectedMode_ = 0;
    std::vector<std::unique_ptr<VideoMode>> videoModes_;
    bool fullScreen_ = false;
    Halvard::u32 colourDepth_ = 0;
    float soundVolume_ = 0.0f;
    float musicVolume_ = 0.0f;
};

} // namespace GameFramework
