#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>

namespace Halvard {

class MessageManager;
class SoundBuffer;
class SoundBufferManager;

// One playable instance of a sound file with its own state, loop flag,
// volume, tempo and position in space. Made only by the sound system's
// factories; its buffer comes from and goes back to the buffer manager.
// Main thread only.
class Sound {
public:
    Sound(MessageManager* messages, SoundBufferManager* bufferManager, const std::string& name);
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound();

    // Per frame, from the sound manager.
    virtual void Update();
    // From stopped: from the start; from paused: on from where it paused.
    // False when the device would not play it.
    virtual bool Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // A stream's buffer follows the flag.
    virtual void SetLooped(bool looped);
    virtual void SetVolume(float volume);
    virtual void SetTempo(float tempo);
    virtual void SetPosition(const Vector3& position);
    // A SoundState.
    virtual u32 GetState() const = 0;

    const std::string& GetName() const { return name_; }
    bool IsLooped() const { return looping_; }
    float GetVolume() const { return volume_; }
    float GetTempo() const { return tempo_; }
    const Vector3& GetPosition() const { return position_; }
    SoundBuffer* GetBuffer() const { return buffer_; }

protected:
    MessageManager* messages_;
    SoundBufferManager* bufferManager_;
    std::string name_;
    SoundBuffer* buffer_ = nullptr;
    bool looping_ = false;
    float volume_ = 1.0f;
    float tempo_ = 1.0f;
    Vector3 position_{0.0f};
};

} // namespace Halvard
