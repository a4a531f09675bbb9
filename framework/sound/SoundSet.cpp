#include "framework/sound/SoundSet.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Random.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundUtils.h"
#include "framework/sound/MusicTrack.h"

#include <algorithm>
#include <cmath>

using namespace Halvard;

namespace GameFramework {

namespace {

const char* const kMusicVolumeName = "g_music_volume";
const char* const kSoundVolumeName = "g_sound_volume";
// Starts of one effect closer than this are one start.
constexpr float kRepeatGuardSeconds = 0.02f;
// A track replaced on its slot fades out over one second.
constexpr float kReplacedTrackFadeSpeed = 1.0f;
// The per-frame nudge of both volumes, at most this far either way.
constexpr float kVolumeNudge = 0.0005f;

// Anything that is not above 0 (a value that is not a number too) is 0.
float ClampVolume(float volume)
{
    if (!(volume > 0.0f))
        return 0.0f;
    return volume >= 1.0f ? 1.0f : volume;
}

} // namespace

SoundSet::SoundSet(Engine* engine, float musicVolume, float soundVolume)
    : engine_(engine), config_(engine->GetConfig()), sounds_(engine->GetSoundManager()),
      timers_(engine->GetTimerManager()), musicVolume_(musicVolume), soundVolume_(soundVolume)
{
    config_->AddVariable(kMusicVolumeName, Config::kFloat, {.saved = true}, &musicVolume_,
                         FloatToString(musicVolume, 6));
    config_->AddVariable(kSoundVolumeName, Config::kFloat, {.saved = true}, &soundVolume_,
                         FloatToString(soundVolume, 6));
    SetMusicVolume(musicVolume_);
    SetSoundVolume(soundVolume_);
}

SoundSet::~SoundSet()
{
    if (sounds_ != nullptr) {
        for (const EffectInstance& effect : effects_)
            sounds_->DestroySound(effect.sound);
    }
    effects_.clear();
    slots_.clear();
    tracks_.clear();
    config_->RemoveVariable(kMusicVolumeName);
    config_->RemoveVariable(kSoundVolumeName);
}

void SoundSet::AddSound(u32 id, const std::string& fileName, bool looped, u32 count)
{
    if (sounds_ == nullptr)
        return;
    for (u32 i = 0; i < count; ++i) {
        EffectInstance effect;
        effect.id = id;
        effect.fileName = fileName;
        effect.sound = sounds_->CreateSound(fileName);
        effect.looped = looped;
        effect.sound->SetLooped(looped);
        effect.sound->SetVolume(soundVolume_);
        effects_.push_back(std::move(effect));
    }
}

void SoundSet::AddMusic(u32 id, const std::string& fileName, bool looped)
{
    auto track = std::make_unique<MusicTrack>(engine_, fileName, looped, id);
    track->SetVolume(musicVolume_);
    tracks_.push_back(std::move(track));
}

// A copy never started blocks nothing and goes before every started one.
bool SoundSet::StartedBefore(const EffectInstance& a, const EffectInstance& b)
{
    if (!a.lastStart.has_value())
        return b.lastStart.has_value();
    return b.lastStart.has_value() && *a.lastStart < *b.lastStart;
}

void SoundSet::PlaySound(u32 id)
{
    if (sounds_ == nullptr)
        return;
    const float now = timers_->GetMainTimer()->GetTime();
    EffectInstance* chosen = nullptr;
    for (EffectInstance& effect : effects_) {
        if (effect.id != id)
            continue;
        if (effect.lastStart.has_value() && std::fabs(now - *effect.lastStart) < kRepeatGuardSeconds)
            return;
        if (chosen == nullptr || StartedBefore(effect, *chosen))
            chosen = &effect;
    }
    if (chosen == nullptr)
        return;
    if (!chosen->looped || chosen->sound->GetState() != kSoundPlaying)
        sounds_->PlaySound(chosen->sound, false);
    chosen->lastStart = now;
}

void SoundSet::StopSound(u32 id)
{
    if (sounds_ == nullptr)
        return;
    for (const EffectInstance& effect : effects_) {
        if (effect.id == id)
            sounds_->StopSound(effect.sound, false);
    }
}

u32 SoundSet::GetSoundState(u32 id) const
{
    if (sounds_ == nullptr)
        return kSoundStopped;
    for (const EffectInstance& effect : effects_) {
        if (effect.id == id)
            return effect.sound->GetState();
    }
    return kSoundStopped;
}

void SoundSet::StartTrack(MusicTrack* track, MusicFade fade)
{
    if (fade.enabled) {
        track->SetFadeVolume(0.0f);
        track->Play();
        track->StartFade(MusicTrack::kFadeIn, fade.speed);
    } else {
        track->SetFadeVolume(1.0f);
        track->Play();
    }
}

void SoundSet::PlayMusic(u32 slot, u32 trackId, MusicFade fade)
{
    if (sounds_ == nullptr)
        return;
    MusicTrack* wanted = FindTrack(trackId);
    if (wanted == nullptr)
        return;
    pausedByAll_.erase(slot);
    auto bound = slots_.find(slot);
    if (bound == slots_.end()) {
        slots_[slot] = wanted;
    } else if (bound->second->GetId() != trackId) {
        bound->second->StartFade(MusicTrack::kFadeOutThenStop, kReplacedTrackFadeSpeed);
        bound->second = wanted;
    } else if (bound->second->GetState() == kSoundPlaying) {
        return;
    } else {
        wanted = bound->second;
    }
    StartTrack(wanted, fade);
}

void SoundSet::StopMusic(u32 slot, MusicFade fade)
{
    pausedByAll_.erase(slot);
    StopSlot(slot, fade);
}

void SoundSet::StopSlot(u32 slot, MusicFade fade)
{
    MusicTrack* track = GetSlotTrack(slot);
    if (sounds_ == nullptr || track == nullptr)
        return;
    const u32 state = track->GetState();
    if (state == kSoundStopped)
        return;
    if (state == kSoundPlaying && fade.enabled)
        track->StartFade(MusicTrack::kFadeOutThenStop, fade.speed);
    else
        track->Stop();
}

void SoundSet::PauseMusic(u32 slot, bool pause, MusicFade fade)
{
    pausedByAll_.erase(slot);
    ChangePause(slot, pause, fade);
}

void SoundSet::ChangePause(u32 slot, bool pause, MusicFade fade)
{
    MusicTrack* track = GetSlotTrack(slot);
    if (sounds_ == nullptr || track == nullptr)
        return;
    if (pause)
        PauseSlot(track, fade);
    else
        ResumeSlot(track, fade);
}

// Only a playing track pauses; a fade to a stop is never turned into a pause.
void SoundSet::PauseSlot(MusicTrack* track, MusicFade fade)
{
    if (track->GetState() != kSoundPlaying)
        return;
    const bool stopping = track->GetFadeState() == MusicTrack::kFadeOutThenStop;
    if (fade.enabled) {
        if (!stopping)
            track->StartFade(MusicTrack::kFadeOutThenPause, fade.speed);
    } else if (stopping) {
        track->Stop();
    } else {
        track->Pause();
    }
}

// A track still fading out to a pause plays: resuming turns the fade round
// instead of letting it pause the track a moment later. A stopped track
// stays stopped.
void SoundSet::ResumeSlot(MusicTrack* track, MusicFade fade)
{
    const u32 state = track->GetState();
    if (state == kSoundPaused) {
        StartTrack(track, fade);
    } else if (state == kSoundPlaying && track->GetFadeState() == MusicTrack::kFadeOutThenPause) {
        if (fade.enabled) {
            track->StartFade(MusicTrack::kFadeIn, fade.speed);
        } else {
            track->StartFade(MusicTrack::kNoFade, fade.speed);
            track->SetFadeVolume(1.0f);
        }
    }
}

void SoundSet::StopAllMusic(MusicFade fade)
{
    for (const auto& [slot, track] : slots_)
        StopMusic(slot, fade);
}

void SoundSet::PauseAllMusic(bool pause, MusicFade fade)
{
    if (sounds_ == nullptr)
        return;
    if (!pause) {
        const std::set<u32> resumed = std::move(pausedByAll_);
        pausedByAll_.clear();
        for (u32 slot : resumed)
            ChangePause(slot, false, fade);
        return;
    }
    // A resume answers this pause alone: what an earlier pause of all music
    // paused (the game's own, when a level ends) was paused on purpose.
    pausedByAll_.clear();
    for (const auto& [slot, track] : slots_) {
        const bool moved = track->GetState() == kSoundPlaying && !track->IsFadingOut();
        ChangePause(slot, true, fade);
        if (moved)
            pausedByAll_.insert(slot);
    }
}

u32 SoundSet::GetMusicState(u32 slot) const
{
    const MusicTrack* track = GetSlotTrack(slot);
    if (sounds_ == nullptr || track == nullptr)
        return kSoundStopped;
    return track->GetState();
}

MusicTrack* SoundSet::GetSlotTrack(u32 slot) const
{
    const auto bound = slots_.find(slot);
    return bound != slots_.end() ? bound->second : nullptr;
}

MusicTrack* SoundSet::FindTrack(u32 id) const
{
    for (const std::unique_ptr<MusicTrack>& track : tracks_) {
        if (track->GetId() == id)
            return track.get();
    }
    return nullptr;
}

bool SoundSet::IsMusicSound(const Sound* sound) const
{
    return std::any_of(tracks_.begin(), tracks_.end(),
                       [sound](const std::unique_ptr<MusicTrack>& track) { return track->GetSound() == sound; });
}

void SoundSet::SetSoundVolume(float volume)
{
    if (sounds_ == nullptr)
        return;
    soundVolume_ = ClampVolume(volume);
    for (u32 i = 0; i < sounds_->GetSoundCount(); ++i) {
        Sound* sound = sounds_->GetSound(i);
        if (!IsMusicSound(sound))
            sound->SetVolume(soundVolume_);
    }
}

void SoundSet::SetMusicVolume(float volume)
{
    if (sounds_ == nullptr)
        return;
    musicVolume_ = ClampVolume(volume);
    for (const std::unique_ptr<MusicTrack>& track : tracks_)
        track->SetVolume(musicVolume_);
}

float SoundSet::GetDefaultSoundVolume() const { return StringToFloat(config_->GetDefaultValue(kSoundVolumeName)); }

float SoundSet::GetDefaultMusicVolume() const { return StringToFloat(config_->GetDefaultValue(kMusicVolumeName)); }

// The stored volumes are kept as they were (in range) so that the nudge does
// not drift them; the sounds keep the nudged values until the next frame.
void SoundSet::Update()
{
    if (sounds_ == nullptr)
        return;
    for (const std::unique_ptr<MusicTrack>& track : tracks_)
        track->UpdateFade();
    const float keptSound = ClampVolume(soundVolume_);
    const float keptMusic = ClampVolume(musicVolume_);
    SetSoundVolume(keptSound + RandomSigned() * kVolumeNudge);
    SetMusicVolume(keptMusic + RandomSigned() * kVolumeNudge);
    soundVolume_ = keptSound;
    musicVolume_ = keptMusic;
}

} // namespace GameFramework
