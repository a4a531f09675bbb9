#pragma once

#include "engine/core/Math.h"

#include <memory>
#include <string>

namespace Halvard {

class FileManager;
class MessageManager;
class Sound;
class SoundBuffer;
class SoundBufferManager;

// The sound device, the 3D listener and the factories of sounds and sound
// buffers, which the managers call. Main thread only.
class SoundSystem {
public:
    SoundSystem(MessageManager* messages, FileManager* files, bool sound3D);
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;
    virtual ~SoundSystem();

    // Once a frame: deferred listener and sound positions take effect here.
    virtual void Refresh();
    virtual std::unique_ptr<Sound> CreateSound(const std::string& name) = 0;
    virtual std::unique_ptr<Sound> CloneSound(const Sound& sound) = 0;
    virtual std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) = 0;
    // A buffer of the same sound on the same device samples.
    virtual std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) = 0;
    virtual void SetListenerPosition(const Vector3& position);
    // Front is where the listener looks, top where its head points.
    virtual void SetListenerOrientation(const Vector3& front, const Vector3& top);
    // At the origin, looking along -z, head up along +y.
    virtual void ResetListener();

    // The sound manager's buffer manager, which sounds take their buffers
    // from; not owned.
    void SetSoundBufferManager(SoundBufferManager* manager) { bufferManager_ = manager; }
    SoundBufferManager* GetSoundBufferManager() const { return bufferManager_; }

    // 3D sound wanted and available.
    bool Is3D() const { return sound3D_; }
    const Vector3& GetListenerPosition() const { return listenerPosition_; }
    const Vector3& GetListenerFront() const { return listenerFront_; }
    const Vector3& GetListenerTop() const { return listenerTop_; }

protected:
    MessageManager* messages_;
    FileManager* files_;
    SoundBufferManager* bufferManager_ = nullptr;
    Vector3 listenerPosition_{0.0f};
    Vector3 listenerFront_{0.0f};
    Vector3 listenerTop_{0.0f};
    bool sound3D_;
};

} // namespace Halvard
