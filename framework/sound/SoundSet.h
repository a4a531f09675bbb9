#pragma once

#include "engine/core/Types.h"
#include "framework/sound/MusicFade.h"
#include "framework/sound/SoundVolumes.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Halvard {
class Config;
class Engine;
class Sound;
class SoundManager;
class TimerManager;
} // namespace Halvard

namespace GameFramework {

class MusicTrack;

// The game's sound effects and music tracks by number, the music slots that
// tracks are bound to, and the two player volumes, which live as the saved
// configuration variables "g_sound_volume" and "g_music_volume". Without a
// sound manager every operation does nothing and every state query answers
// stopped; the variables are registered all the same. Main thread only.
class SoundSet : public SoundVolumes {
public:
    // Registers both variables (a value from the ini file replaces the one
    // given) and applies them.
    SoundSet(Halvard::Engine* engine, float musicVolume, float soundVolume);
    SoundSet(const SoundSet&) = delete;
    SoundSet& operator=(const SoundSet&) = delete;
    // Destroys every sound and unregisters the variables, which keep their
    // last values as text for the ini file.
    ~SoundSet() override;

    // Count copies of the effect, so that quick repeats overlap instead of
    // cutting each other off.
    void AddSound(Halvard::u32 id, const std::string& fileName, bool looped, Halvard::u32 count);
    void AddMusic(Halvard::u32 id, const std::string& fileName, bool looped);

    // Starts the copy of the effect started longest ago, at the sound
    // manager's next flush; nothing when any copy started within the last
    // 0.02 s. A looping copy that plays goes on untouched.
    void PlaySound(Halvard::u32 id);
    void StopSound(Halvard::u32 id);
    Halvard::u32 GetSoundState(Halvard::u32 id) const;

    // Binds the track to the slot and plays it; a different track bound
    // before fades out to a stop over one second. The same track still
    // playing is left alone; a track id never registered changes nothing.
    void PlayMusic(Halvard::u32 slot, Halvard::u32 trackId, MusicFade fade);
    void StopMusic(Halvard::u32 slot, MusicFade fade);
    void PauseMusic(Halvard::u32 slot, bool pause, MusicFade fade);
    void StopAllMusic(MusicFade fade);
    // Pausing remembers the slots it takes from playing to paused or
    // pausing; resuming resumes only those of the latest pause, so a track
    // that was paused on purpose, by a call on its slot or by an earlier
    // pause of all music, stays paused when the window gets the focus back.
    void PauseAllMusic(bool pause, MusicFade fade);
    Halvard::u32 GetMusicState(Halvard::u32 slot) const;
    MusicTrack* GetSlotTrack(Halvard::u32 slot) const;
    MusicTrack* FindTrack(Halvard::u32 id) const;

    // Both clamp to 0..1 and store the result.
    void SetSoundVolume(float volume) override;
    void SetMusicVolume(float volume) override;
    void RefreshSoundVolume() { SetSoundVolume(soundVolume_); }
    float GetSoundVolume() const override { return soundVolume_; }
    float GetMusicVolume() const override { return musicVolume_; }
    float GetDefaultSoundVolume() const;
    float GetDefaultMusicVolume() const;

    // Once a frame: advances the fades and applies both volumes again, each
    // nudged by less than 0.0005 (two draws of the random generator).
    void Update();

private:
    struct EffectInstance {
        Halvard::u32 id = 0;
        std::string fileName;
        Halvard::Sound* sound = nullptr;
        bool looped = false;
        // Main timer seconds; none until the copy is first started.
        std::optional<float> lastStart;
    };

    static bool StartedBefore(const EffectInstance& a, const EffectInstance& b);
    bool IsMusicSound(const Halvard::Sound* sound) const;
    static void StartTrack(MusicTrack* track, MusicFade fade);
    void StopSlot(Halvard::u32 slot, MusicFade fade);
    void PauseSlot(MusicTrack* track, MusicFade fade);
    void ResumeSlot(MusicTrack* track, MusicFade fade);
    void ChangePause(Halvard::u32 slot, bool pause, MusicFade fade);

    Halvard::Engine* engine_;
    Halvard::Config* config_;
    Halvard::SoundManager* sounds_;
    Halvard::TimerManager* timers_;
    std::vector<EffectInstance> effects_;
    std::vector<std::unique_ptr<MusicTrack>> tracks_;
    float musicVolume_;
    float soundVolume_;
    std::map<Halvard::u32, MusicTrack*> slots_;
    // Slots that the latest pause of all music took from playing, until all
    // music is resumed; a call made on the slot itself since then forgets it.
    std::set<Halvard::u32> pausedByAll_;
};

} // namespace GameFramework
