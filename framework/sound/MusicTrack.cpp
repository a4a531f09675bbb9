#include "framework/sound/MusicTrack.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundUtils.h"

using namespace Halvard;

namespace GameFramework {

MusicTrack::MusicTrack(Engine* engine, const std::string& fileName, bool looped, u32 id)
    : sounds_(engine->GetSoundManager()), timers_(engine->GetTimerManager()), id_(id)
{
    if (sounds_ == nullptr)
        return;
    sound_ = sounds_->CreateSound(fileName);
    fadeVolume_ = sound_->GetVolume();
    sound_->SetLooped(looped);
}

MusicTrack::~MusicTrack()
{
    if (sounds_ != nullptr)
        sounds_->DestroySound(sound_);
}

u32 MusicTrack::GetState() const
{
    return sounds_ != nullptr ? sound_->GetState() : u32{kSoundStopped};
}

void MusicTrack::StartFade(u32 state, float speed)
{
    fadeState_ = state;
    fadeSpeed_ = speed;
}

void MusicTrack::SetFadeVolume(float volume)
{
    fadeVolume_ = volume;
    if (sounds_ != nullptr)
        sound_->SetVolume(fadeVolume_ * masterVolume_);
}

void MusicTrack::SetVolume(float volume)
{
    masterVolume_ = volume;
    SetFadeVolume(fadeVolume_);
}

void MusicTrack::Play()
{
    fadeState_ = kNoFade;
    if (sounds_ != nullptr)
        sounds_->PlaySound(sound_, true);
}

void MusicTrack::Pause()
{
    if (sounds_ != nullptr)
        sounds_->PauseSound(sound_, true);
}

void MusicTrack::Stop()
{
    if (sounds_ != nullptr)
        sounds_->StopSound(sound_, true);
}

bool MusicTrack::IsFadingOut() const
{
    return fadeState_ == kFadeOut || fadeState_ == kFadeOutThenPause || fadeState_ == kFadeOutThenStop;
}

void MusicTrack::UpdateFade()
{
    if (sounds_ == nullptr)
        return;
    const float step = fadeSpeed_ * timers_->GetFrameTime();
    if (fadeState_ == kFadeIn) {
        fadeVolume_ += step;
        if (fadeVolume_ >= 1.0f) {
            fadeVolume_ = 1.0f;
            fadeState_ = kNoFade;
        }
    } else if (IsFadingOut()) {
        fadeVolume_ -= step;
        // Exactly 0 is still part of the fade: it ends on the next frame.
        if (fadeVolume_ < 0.0f)
            EndFadeOut();
    }
    SetFadeVolume(fadeVolume_);
}

void MusicTrack::EndFadeOut()
{
    if (fadeState_ == kFadeOutThenStop)
        Stop();
    else if (fadeState_ == kFadeOutThenPause)
        Pause();
    fadeVolume_ = 0.0f;
    fadeState_ = kNoFade;
}

} // namespace GameFramework
