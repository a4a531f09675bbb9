#include "framework/windows/GUIOptionsWindowBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/VideoSettingsAccess.h"

#include <algorithm>

namespace GameFramework {

namespace {

constexpr const char* kVideoModeVariable = "v_mode";

} // namespace

GUIOptionsWindowBase::GUIOptionsWindowBase(Halvard::Engine* engine, SoundSet* soundSet,
                                           ProfileManagerBase* profileManager)
    : engine_(engine), config_(engine->GetConfig()), soundSet_(soundSet), profileManager_(profileManager)
{
}

void GUIOptionsWindowBase::UpdateWindow()
{
    GUIFrameworkWindow::UpdateWindow();
    VideoSettingsAccess::FollowPendingWindowMode(*config_, fullScreen_);
}

void GUIOptionsWindowBase::ShowWindow(Halvard::u32 opener)
{
    GUIFrameworkWindow::ShowWindow(opener);
    Halvard::u32 width = 0;
    Halvard::u32 height = 0;
    Halvard::u32 depth = 0;
    Halvard::ParseVideoMode(config_->videoMode, &width, &height, &depth);
    selectedMode_ = FindMode(width, height);
    if (selectedMode_ == videoModes_.size())
        SelectDefaultMode();
    colourDepth_ = depth;
    fullScreen_ = config_->fullScreen != 0;
    soundVolume_ = soundSet_->GetSoundVolume();
    musicVolume_ = soundSet_->GetMusicVolume();
}

void GUIOptionsWindowBase::ApplyVideoOptions()
{
    bool changed = false;
    if (!videoModes_.empty() && selectedMode_ < videoModes_.size()) {
        std::string text = videoModes_[selectedMode_]->text + "x" + std::to_string(colourDepth_);
        if (text != Halvard::ToLower(config_->videoMode)) {
            config_->videoMode = text;
            changed = true;
        }
    }
    if (fullScreen_ != (config_->fullScreen != 0)) {
        config_->fullScreen = fullScreen_ ? 1 : 0;
        changed = true;
    }
    if (changed)
        VideoSettingsAccess::Invoke(*config_, VideoSettingsAccess::kUpdateVideoMode);
    config_->Save();
    VideoSettingsAccess::StoreVolumes(*profileManager_);
}

void GUIOptionsWindowBase::ResetToDefaults()
{
    colourDepth_ = SelectDefaultMode();
    fullScreen_ = true;
    soundSet_->SetSoundVolume(soundSet_->GetDefaultSoundVolume());
    soundSet_->SetMusicVolume(soundSet_->GetDefaultMusicVolume());
}

void GUIOptionsWindowBase::ApplyVolumes()
{
    soundSet_->SetSoundVolume(soundVolume_);
    soundSet_->SetMusicVolume(musicVolume_);
}

void GUIOptionsWindowBase::AddVideoMode(Halvard::u32 width, Halvard::u32 height)
{
    if (FindMode(width, height) != videoModes_.size())
        return;
    auto mode = std::make_unique<VideoMode>();
    mode->text = std::to_string(width) + "x" + std::to_string(height);
    mode->width = width;
    mode->height = height;
    videoModes_.push_back(std::move(mode));
    std::stable_sort(videoModes_.begin(), videoModes_.end(), [](const auto& a, const auto& b) {
        return a->width != b->width ? a->width < b->width : a->height < b->height;
    });
}

Halvard::u32 GUIOptionsWindowBase::FindMode(Halvard::u32 width, Halvard::u32 height) const
{
    auto found = std::find_if(videoModes_.begin(), videoModes_.end(),
                              [&](const auto& mode) { return mode->width == width && mode->height == height; });
    return static_cast<Halvard::u32>(found - videoModes_.begin());
}

Halvard::u32 GUIOptionsWindowBase::SelectDefaultMode()
{
    Halvard::u32 width = 0;
    Halvard::u32 height = 0;
    Halvard::u32 depth = 0;
    Halvard::ParseVideoMode(config_->GetDefaultValue(kVideoModeVariable), &width, &height, &depth);
    selectedMode_ = FindMode(width, height);
    if (selectedMode_ == videoModes_.size())
        selectedMode_ = 0;
    return depth;
}

} // namespace GameFramework
