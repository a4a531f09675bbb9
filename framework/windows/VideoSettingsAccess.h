#pragma once

namespace Halvard {
class Config;
}

namespace GameFramework {

class ProfileManagerBase;

// What the windows that change the window mode and volumes share: the
// pending window-mode command, the configured full-screen flag and storing
// the volumes in the current profile.
class VideoSettingsAccess {
public:
    static constexpr const char* kWindowChangeMode = "v_window_change_mode";
    static constexpr const char* kUpdateVideoMode = "g_update_video_mode";

    // A command is pending while its handled flag is clear.
    static bool IsPending(const Halvard::Config& config, const char* command);
    static void Invoke(Halvard::Config& config, const char* command);
    // While a window-mode change is pending (Alt+Enter, or asked by a
    // window), a window's full-screen choice follows the configured flag.
    static void FollowPendingWindowMode(const Halvard::Config& config, bool& fullScreen);
    // Copies the sound set's volumes into the current profile (when there is
    // one) and saves it.
    static void StoreVolumes(ProfileManagerBase& profileManager);
};

} // namespace GameFramework
