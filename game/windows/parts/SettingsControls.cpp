#include "game/windows/parts/SettingsControls.h"

#include "engine/gui/GUICheckBox.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "gui_tools/GUIWindowBase.h"

namespace Tamrisk {

SettingsControls::SettingsControls(const GUITools::GUIWindowBase& window, GameFramework::SoundSet* sounds,
                                   const Halvard::Config* config)
    : config_(config), sound_(window.GetScroll(window.GetName() + "/window/sound")),
      music_(window.GetScroll(window.GetName() + "/window/music")),
      fullScreen_(window.GetCheckBox(window.GetName() + "/window/fullscreen")), volumes_(sound_, music_, sounds)
{
}

void SettingsControls::Show(float soundVolume, float musicVolume, bool fullScreen)
{
    volumes_.Show(soundVolume, musicVolume);
    if (fullScreen_ != nullptr)
        fullScreen_->checked = fullScreen;
}

void SettingsControls::FollowWindowMode(bool fullScreen)
{
    using GameFramework::VideoSettingsAccess;
    if (fullScreen_ != nullptr && VideoSettingsAccess::IsPending(*config_, VideoSettingsAccess::kWindowChangeMode))
        fullScreen_->checked = fullScreen;
}

} // namespace Tamrisk
