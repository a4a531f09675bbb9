#include "framework/windows/GUIGameLogicMenuWindowBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/VideoSettingsAccess.h"

namespace GameFramework {

GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(Halvard::Engine* engine, SoundSet* soundSet,
                                                       ProfileManagerBase* profileManager)
    : engine_(engine),
      config_(engine->GetConfig()),
      soundSet_(soundSet),
      profileManager_(profileManager),
      soundVolume_(soundSet->GetSoundVolume()),
      musicVolume_(soundSet->GetMusicVolume())
{
}

void GUIGameLogicMenuWindowBase::UpdateWindow()
{
    GUIFrameworkWindow::UpdateWindow();
    VideoSettingsAccess::FollowPendingWindowMode(*config_, fullScreen_);
}

void GUIGameLogicMenuWindowBase::ShowWindow(Halvard::u32 opener)
{
    GUIFrameworkWindow::ShowWindow(opener);
    fullScreen_ = config_->fullScreen != 0;
    soundVolume_ = soundSet_->GetSoundVolume();
    musicVolume_ = soundSet_->GetMusicVolume();
}

void GUIGameLogicMenuWindowBase::HideWindow()
{
    GUIFrameworkWindow::HideWindow();
    config_->Save();
    VideoSettingsAccess::StoreVolumes(*profileManager_);
}

void GUIGameLogicMenuWindowBase::ApplyWindowMode()
{
    if (fullScreen_ == (config_->fullScreen != 0))
        return;
    config_->fullScreen = fullScreen_ ? 1 : 0;
    config_->Save();
    VideoSettingsAccess::Invoke(*config_, VideoSettingsAccess::kWindowChangeMode);
}

} // namespace GameFramework
