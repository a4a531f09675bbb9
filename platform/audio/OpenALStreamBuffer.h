#pragma once

#include "platform/audio/OpenALVoice.h"

#include <deque>
#include <memory>
#include <vector>

namespace Platform {

// A ring of sample memory played through the AL source's buffer queue: each
// region written is copied into an AL buffer and queued. What has played is
// known from the buffers the source has processed, so the count of played
// bytes follows the device, not a clock.
//
// When the queue runs dry while the stream is meant to play, the source
// stops by itself; the stream still reports itself playing and starts the
// source again as soon as a region arrives.
class OpenALStreamBuffer : public OpenALVoice {
public:
    static AudioResult Create(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc,
                              std::unique_ptr<AudioBuffer>& out);
    ~OpenALStreamBuffer() override;

    AudioResult Play(bool loop) override;
    AudioResult Stop() override;
    AudioResult SetCurrentPosition(uint32_t offset) override;
    AudioResult GetStatus(uint32_t& status) override;
    AudioResult Lock(uint32_t offset, uint32_t size, AudioLock& lock) override;
    AudioResult Unlock(const AudioLock& lock) override;
    AudioResult TakePlayedRegions(std::vector<AudioRegion>& regions) override;

    // Regions waiting in the source's queue, the one playing included.
    uint32_t GetQueuedCount() const { return static_cast<uint32_t>(queued_.size()); }

private:
    struct Queued {
        ALuint name;
        AudioRegion region;
    };

    OpenALStreamBuffer(std::shared_ptr<OpenALOutput> output, const AudioBufferDesc& desc, ALuint source);

    AudioResult Queue(const AudioRegion& region);
    // Moves the buffers the source has finished from its queue to the played
    // regions.
    void CollectPlayed();
    // A source that ran dry counts every queued buffer as processed, new ones
    // too; collecting them and rewinding it lets it take a fresh queue.
    void RecoverFromUnderrun();
    void Resume();

    std::vector<uint8_t> ring_;
    std::deque<Queued> queued_;
    std::vector<AudioRegion> played_;
    std::vector<ALuint> spare_;
    bool playing_ = false;
};

} // namespace Platform
