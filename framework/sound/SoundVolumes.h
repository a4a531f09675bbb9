#pragma once

namespace GameFramework {

// The two volumes the profile manager reads from the sound set and gives
// back to it, each 0 to 1: all it needs of the sound set.
class SoundVolumes {
public:
    virtual ~SoundVolumes() = default;

    virtual float GetMusicVolume() const = 0;
    virtual float GetSoundVolume() const = 0;
    virtual void SetMusicVolume(float volume) = 0;
    virtual void SetSoundVolume(float volume) = 0;
};

} // namespace GameFramework
