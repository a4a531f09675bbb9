#pragma once

#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class FileManager;
class MessageManager;
class Sound;
class SoundBufferManager;
class SoundSystem;

// Owns every sound of the program and runs their per-frame update. Sounds
// are played, paused and stopped either at once or by a request that waits
// for the next update that runs the queue. Main thread only.
class SoundManager {
public:
    enum RequestKind : u32 { kPlay = 0, kPause = 1, kStop = 2 };

    // Makes the buffer manager and hands it to the system.
    SoundManager(MessageManager* messages, FileManager* files, SoundSystem* system);
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;
    virtual ~SoundManager();

    // The manager owns the sound; its user keeps the pointer until
    // DestroySound. Never null.
    Sound* CreateSound(const std::string& fileName);
    // Deletes the sound and forgets its waiting requests; null does nothing.
    void DestroySound(Sound* sound);
    u32 GetSoundCount() const { return static_cast<u32>(live_.size()); }
    // The index-th live sound, in the order of creation (a reused slot comes
    // last); the index must be below the count.
    Sound* GetSound(u32 index) const { return slots_[live_[index]].get(); }

    // With now false the request waits for the next Update(true). Playing
    // a sound that the device will not play stops the first other sound that
    // plays or pauses and does not loop, and tries once more.
    void PlaySound(Sound* sound, bool now);
    void PauseSound(Sound* sound, bool now);
    void StopSound(Sound* sound, bool now);

    // Runs the waiting requests in order when flush is set, then updates
    // every sound and every buffer (streams refill here).
    void Update(bool flush);
    void ClearQueue() { requests_.clear(); }

    SoundBufferManager* GetBufferManager() const { return bufferManager_.get(); }
    u32 GetRequestCount() const { return static_cast<u32>(requests_.size()); }

private:
    struct Request {
        u32 kind;
        Sound* sound;
    };

    void Submit(u32 kind, Sound* sound, bool now);
    void Carry(u32 kind, Sound* sound);
    void PlayNow(Sound* sound);
    void Release();

    MessageManager* messages_;
    FileManager* files_;
    SoundSystem* system_;
    std::unique_ptr<SoundBufferManager> bufferManager_;
    u32 nextSlot_ = 0;
    std::deque<u32> freeSlots_;
    std::vector<u32> live_;
    std::vector<std::unique_ptr<Sound>> slots_;
    std::vector<Request> requests_;
};

} // namespace Halvard
