#pragma once

#include "platform/audio/OpenALVoice.h"

#include <memory>
#include <vector>

namespace Platform {

// A whole sound in one AL buffer. Duplicates play the same AL buffer from
// sources of their own; the buffer is shared with a use count and goes with
// the last of them.
class OpenALStaticBuffer : public OpenALVoice {
public:
    static AudioResult Create(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                              std::unique_ptr<AudioBuffer>& out);
    ~OpenALStaticBuffer() override;
    AudioResult Duplicate(std::unique_ptr<AudioBuffer>& out);

    AudioResult Play(bool loop) override;
    AudioResult Stop() override;
    AudioResult SetCurrentPosition(uint32_t offset) override;
    AudioResult GetStatus(uint32_t& status) override;
    AudioResult Lock(uint32_t offset, uint32_t size, AudioLock& lock) override;
    // Hands the whole memory to OpenAL. The contents can change only while
    // no duplicate shares them and the buffer is silent.
    AudioResult Unlock(const AudioLock& lock) override;
    AudioResult TakePlayedRegions(std::vector<AudioRegion>& regions) override;

    // Voices that play this buffer's samples, itself included.
    long GetShareCount() const { return samples_.use_count(); }
    // The AL buffer that holds the samples.
    ALuint GetSampleBuffer() const { return samples_->name; }

private:
    struct Samples {
        Samples(std::shared_ptr<OpenALOutput> output, ALuint name, uint32_t size);
        ~Samples();

        std::shared_ptr<OpenALOutput> output;
        ALuint name;
        std::vector<uint8_t> memory;
        // The AL buffer holds the memory's contents.
        bool loaded = false;
    };

    OpenALStaticBuffer(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc, ALuint source,
                       std::shared_ptr<Samples> samples);

    std::shared_ptr<Samples> samples_;
};

} // namespace Platform
