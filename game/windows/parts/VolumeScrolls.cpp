#include "game/windows/parts/VolumeScrolls.h"

#include "engine/gui/GUIScroll.h"
#include "engine/sound/SoundUtils.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"

#include <cmath>

namespace Tamrisk {

namespace {

constexpr double kScale = 1000.0;

float VolumeOf(const Halvard::GUIScroll& scroll)
{
    return static_cast<float>(scroll.GetPosition()) / static_cast<float>(kScale);
}

} // namespace

VolumeScrolls::VolumeScrolls(Halvard::GUIScroll* sound, Halvard::GUIScroll* music, GameFramework::SoundSet* sounds)
    : sound_(sound), music_(music), sounds_(sounds)
{
    for (Halvard::GUIScroll* scroll : {sound_, music_}) {
        if (scroll == nullptr)
            continue;
        scroll->SetPositionCount(kPositionCount);
        scroll->step = kArrowStep;
    }
}

Halvard::u32 VolumeScrolls::PositionOf(float volume)
{
    return static_cast<Halvard::u32>(static_cast<double>(volume) * kScale);
}

void VolumeScrolls::Show(float soundVolume, float musicVolume)
{
    if (sound_ != nullptr)
        sound_->SetPosition(PositionOf(soundVolume));
    if (music_ != nullptr)
        music_->SetPosition(PositionOf(musicVolume));
}

void VolumeScrolls::Follow()
{
    if (sound_ != nullptr) {
        const float volume = VolumeOf(*sound_);
        if (std::fabs(volume - sounds_->GetSoundVolume()) > kTolerance)
            sounds_->SetSoundVolume(volume);
    }
    if (music_ != nullptr) {
        const float volume = VolumeOf(*music_);
        if (std::fabs(volume - sounds_->GetMusicVolume()) > kTolerance)
            sounds_->SetMusicVolume(volume);
    }
    PlaySample();
}

// Restarted whenever it ends while the bar is held, stopped at once on
// release.
void VolumeScrolls::PlaySample()
{
    if (sound_ == nullptr)
        return;
    const bool playing = sounds_->GetSoundState(kSoundVolumeSlider) == Halvard::kSoundPlaying;
    if (sound_->IsPressed()) {
        if (!playing)
            sounds_->PlaySound(kSoundVolumeSlider);
    } else if (playing) {
        sounds_->StopSound(kSoundVolumeSlider);
    }
}

} // namespace Tamrisk
