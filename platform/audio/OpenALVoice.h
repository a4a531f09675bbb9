#pragma once

#include "platform/audio/AudioBuffer.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>
#include <vector>

namespace Platform {

// What static and stream buffers have in common: one AL source with the
// buffer's format, volume, frequency and place in space.
class OpenALVoice : public AudioBuffer {
public:
    ~OpenALVoice() override;

    AudioResult SetVolume(int32_t volume) override;
    AudioResult SetFrequency(uint32_t frequency) override;
    // OpenAL never takes sample memory away.
    AudioResult Restore() override { return kAudioOk; }
    AudioResult Get3DBuffer(std::unique_ptr<Audio3DBuffer>& out) override;

    const AudioBufferDesc& GetDesc() const { return desc_; }

    // Mono or stereo, 8 or 16 bits, a rate the device plays, and block size
    // and byte rate that agree with them.
    static bool IsPlayableFormat(const AudioFormat& format);
    // A new source for a buffer of the description: a buffer without 3D plays
    // at the listener, one with 3D where it is put.
    static AudioResult CreateSource(OpenALOutput& output, const AudioBufferDesc& desc, ALuint& source);

protected:
    OpenALVoice(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc, ALuint source);

    ALint GetSourceState() const;
    ALenum GetALFormat() const;
    // Bytes rounded down to whole sample frames, which OpenAL insists on.
    uint32_t WholeFrames(uint32_t bytes) const;

    // Opens a range of the memory, wrapping past its end to its start.
    AudioResult LockRange(std::vector<uint8_t>& memory, uint32_t offset, uint32_t size, AudioLock& lock);
    // Closes the open lock; false when the lock is not the one handed out.
    bool EndLock(const AudioLock& lock);

    std::shared_ptr<OpenALOutput> output_;
    AudioBufferDesc desc_;
    ALuint source_;
    uint32_t lockOffset_ = 0;
    uint32_t lockSize_ = 0;

private:
    AudioLock openLock_;
    bool locked_ = false;
};

} // namespace Platform
