#pragma once

#include "game/windows/parts/VolumeScrolls.h"

namespace Halvard {
class Config;
class GUICheckBox;
class GUIScroll;
} // namespace Halvard

namespace GUITools {
class GUIWindowBase;
}

namespace Tamrisk {

// The settings the options and the in-game menu share: the volume bars
// "/window/sound" and "/window/music" and the full-screen box
// "/window/fullscreen" of the window's description. A control the
// description lacks is logged when looked up and skipped afterwards. The
// window, the sound set and the configuration must outlive this object.
// Main thread only.
class SettingsControls {
public:
    SettingsControls(const GUITools::GUIWindowBase& window, GameFramework::SoundSet* sounds,
                     const Halvard::Config* config);

    // The bars at the volumes, the box at the window mode.
    void Show(float soundVolume, float musicVolume, bool fullScreen);
    // Once a frame, visible or not: a window-mode switch made elsewhere
    // (Alt+Enter) shows in the box while it is pending.
    void FollowWindowMode(bool fullScreen);
    // Once a frame while the window is visible.
    void FollowVolumes() { volumes_.Follow(); }

    Halvard::GUIScroll* GetSoundScroll() const { return sound_; }
    Halvard::GUIScroll* GetMusicScroll() const { return music_; }
    Halvard::GUICheckBox* GetFullScreenBox() const { return fullScreen_; }

private:
    const Halvard::Config* config_;
    Halvard::GUIScroll* sound_;
    Halvard::GUIScroll* music_;
    Halvard::GUICheckBox* fullScreen_;
    VolumeScrolls volumes_;
};

} // namespace Tamrisk
