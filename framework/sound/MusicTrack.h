#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {
class Engine;
class Sound;
class SoundManager;
class TimerManager;
} // namespace Halvard

namespace GameFramework {

// One music channel: a sound of its own with a fade state machine. The volume
// the sound gets is always the fade volume times the master volume. Without
// a sound manager the track has no sound and every operation does nothing.
// Main thread only.
class MusicTrack {
public:
    enum FadeState : Halvard::u32 {
        kNoFade = 0,
        kFadeIn = 1,
        kFadeOut = 2,
        kFadeOutThenPause = 3,
        kFadeOutThenStop = 4,
    };

    MusicTrack(Halvard::Engine* engine, const std::string& fileName, bool looped, Halvard::u32 id);
    MusicTrack(const MusicTrack&) = delete;
    MusicTrack& operator=(const MusicTrack&) = delete;
    virtual ~MusicTrack();

    // A SoundState; stopped without a sound manager.
    Halvard::u32 GetState() const;
    // Only stores the state and the speed (volume per second); UpdateFade
    // does the work.
    void StartFade(Halvard::u32 state, float speed);
    void SetFadeVolume(float volume);
    // The master volume; the fade volume is applied again under it.
    void SetVolume(float volume);
    // All three act at once, not through the sound manager's queue. Play
    // clears the fade state: a caller that wants a fade in sets it after.
    void Play();
    void Pause();
    void Stop();
    // One frame of the fade over the frame time.
    void UpdateFade();

    bool IsFadingOut() const;
    Halvard::u32 GetId() const { return id_; }
    Halvard::u32 GetFadeState() const { return fadeState_; }
    float GetFadeVolume() const { return fadeVolume_; }
    float GetFadeSpeed() const { return fadeSpeed_; }
    float GetVolume() const { return masterVolume_; }
    // Null without a sound manager.
    Halvard::Sound* GetSound() const { return sound_; }

private:
    void EndFadeOut();

    Halvard::SoundManager* sounds_;
    Halvard::TimerManager* timers_;
    Halvard::Sound* sound_ = nullptr;
    Halvard::u32 id_;
    float fadeVolume_ = 1.0f;
    float masterVolume_ = 1.0f;
    Halvard::u32 fadeState_ = kNoFade;
    float fadeSpeed_ = 0.0f;
};

} // namespace GameFramework
