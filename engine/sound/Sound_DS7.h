#pragma once

#include "engine/sound/Sound.h"

namespace Halvard {

class SoundBuffer_DS7;

// A sound on the sound device, born stopped.
class Sound_DS7 : public Sound {
public:
    // Takes a buffer of its own for the name from the buffer manager.
    Sound_DS7(MessageManager* messages, SoundBufferManager* bufferManager, const std::string& name);
    // Same name, loop flag, volume, tempo and position, stopped, with a
    // buffer of its own.
    Sound_DS7(const Sound_DS7& sound);
    // Gives the buffer back to the buffer manager.
    ~Sound_DS7() override;

    // Brings a lost buffer back, and stops a sound whose buffer has played
    // out.
    void Update() override;
    // A sound that plays already starts over. A sound the device would not
    // play is left stopped.
    bool Play() override;
    void Pause() override;
    void Stop() override;
    // A playing static sound takes the new flag at once.
    void SetLooped(bool looped) override;
    void SetVolume(float volume) override;
    void SetTempo(float tempo) override;
    void SetPosition(const Vector3& position) override;
    u32 GetState() const override { return state_; }

    SoundBuffer_DS7* GetDeviceBuffer() const { return deviceBuffer_; }

private:
    void TakeBuffer();

    SoundBuffer_DS7* deviceBuffer_ = nullptr;
    u32 state_;
};

} // namespace Halvard
