#pragma once

#include "platform/audio/Audio3DBuffer.h"
#include "platform/audio/AudioTypes.h"

#include <memory>
#include <vector>

namespace Platform {

// One voice of the device with its sample memory.
//
// A static buffer holds a whole sound; its duplicates share the memory.
// A stream buffer is a ring: every region written (Lock, then Unlock) is
// queued behind the regions written before it, and plays once. While a
// stream is meant to play it reports itself playing even when it has run dry,
// and it goes on by itself as soon as new regions arrive. Main thread only.
class AudioBuffer {
public:
    virtual ~AudioBuffer() = default;

    // Plays from the current position. Playing a buffer that plays already
    // only takes the new loop flag; it does not start over. Streams ignore
    // the flag: they play what is queued.
    virtual AudioResult Play(bool loop) = 0;
    // Halts and keeps the position.
    virtual AudioResult Stop() = 0;
    // Moves the play position. A stream only goes back to 0, which forgets
    // every region queued or played.
    virtual AudioResult SetCurrentPosition(uint32_t offset) = 0;
    // A set of AudioStatus bits.
    virtual AudioResult GetStatus(uint32_t& status) = 0;
    // Gives lost sample memory back (its contents must be written again).
    virtual AudioResult Restore() = 0;

    // Hundredths of a decibel within kAudioVolumeSilent ... kAudioVolumeFull.
    virtual AudioResult SetVolume(int32_t volume) = 0;
    // Hertz within kAudioFrequencyMin ... kAudioFrequencyMax, or
    // kAudioFrequencyOriginal.
    virtual AudioResult SetFrequency(uint32_t frequency) = 0;

    // Opens size bytes from offset for writing; one lock at a time.
    virtual AudioResult Lock(uint32_t offset, uint32_t size, AudioLock& lock) = 0;
    // Closes the lock: a static buffer takes its new contents, a stream queues
    // the written region.
    virtual AudioResult Unlock(const AudioLock& lock) = 0;
    // A stream's regions played out since the last call, in play order
    // (replaces the contents of regions).
    virtual AudioResult TakePlayedRegions(std::vector<AudioRegion>& regions) = 0;

    // The buffer's place in space; only for buffers made with
    // kAudioBufferControl3D.
    virtual AudioResult Get3DBuffer(std::unique_ptr<Audio3DBuffer>& out) = 0;
};

} // namespace Platform
