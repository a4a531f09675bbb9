#pragma once

#include "platform/audio/AudioDriver.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Testing {

class FakeAudioDriver;

// One voice of the fake sound device. It plays nothing by itself: the test
// says when a stream's regions have played (PlayOut) or a static sound has
// ended (Finish), and reads back what was asked of the buffer.
class FakeAudioBuffer : public Platform::AudioBuffer {
public:
    FakeAudioBuffer(FakeAudioDriver& driver, const Platform::AudioBufferDesc& desc,
                    std::shared_ptr<std::vector<uint8_t>> memory, bool duplicate);
    ~FakeAudioBuffer() override;

    Platform::AudioResult Play(bool loop) override;
    Platform::AudioResult Stop() override;
    Platform::AudioResult SetCurrentPosition(uint32_t offset) override;
    Platform::AudioResult GetStatus(uint32_t& status) override;
    Platform::AudioResult Restore() override;
    Platform::AudioResult SetVolume(int32_t volume) override;
    Platform::AudioResult SetFrequency(uint32_t frequency) override;
    Platform::AudioResult Lock(uint32_t offset, uint32_t size, Platform::AudioLock& lock) override;
    Platform::AudioResult Unlock(const Platform::AudioLock& lock) override;
    Platform::AudioResult TakePlayedRegions(std::vector<Platform::AudioRegion>& regions) override;
    Platform::AudioResult Get3DBuffer(std::unique_ptr<Platform::Audio3DBuffer>& out) override;

    // The first count queued regions of a stream play out.
    void PlayOut(uint32_t count);
    // A static sound that does not loop reaches its end.
    void Finish() { playing = false; }
    bool IsStatic() const { return (desc.flags & Platform::kAudioBufferStatic) != 0; }
    // Calls whose line is the text ("Play 1", "Stop", "SetCurrentPosition 0").
    int CountCalls(const std::string& line) const;

    FakeAudioDriver& driver;
    Platform::AudioBufferDesc desc;
    // Shared with duplicates.
    std::shared_ptr<std::vector<uint8_t>> memory;
    bool duplicate;

    // What the test scripts.
    Platform::AudioResult playResult = Platform::kAudioOk;
    Platform::AudioResult restoreResult = Platform::kAudioOk;
    bool lost = false;

    // What the code under test did.
    std::vector<std::string> calls;
    bool playing = false;
    bool looping = false;
    int32_t volume = 0;
    uint32_t frequency = 0;
    uint32_t position = 0;
    // A stream's regions in the order they were written; those still waiting
    // and those played but not yet taken.
    std::vector<Platform::AudioRegion> written;
    std::deque<Platform::AudioRegion> queued;
    std::vector<Platform::AudioRegion> played;
    bool has3DBuffer = false;
    std::optional<Platform::AudioVector> place;
    std::optional<Platform::AudioVector> pendingPlace;

private:
    uint32_t lockOffset_ = 0;
};

// A sound device without sound: the test scripts which calls fail and reads
// back the device's buffers, the mixing format and the listener.
class FakeAudioDriver : public Platform::AudioDriver {
public:
    Platform::AudioResult CreateDevice(std::unique_ptr<Platform::AudioDevice>& out) override;

    // The index-th of the buffers still alive, in the order they were made.
    FakeAudioBuffer* Buffer(uint32_t index) const { return buffers.at(index); }
    // Applies the deferred listener and 3D buffer settings.
    void Commit();

    // What the test scripts.
    Platform::AudioResult createResult = Platform::kAudioOk;
    Platform::AudioResult cooperativeResult = Platform::kAudioOk;
    Platform::AudioResult primaryResult = Platform::kAudioOk;
    Platform::AudioResult formatResult = Platform::kAudioOk;
    Platform::AudioResult listenerResult = Platform::kAudioOk;
    Platform::AudioResult bufferResult = Platform::kAudioOk;
    Platform::AudioResult duplicateResult = Platform::kAudioOk;
    Platform::AudioResult placeResult = Platform::kAudioOk;
    bool primaryLost = false;

    // What the code under test did.
    const void* window = nullptr;
    uint32_t cooperativeLevel = 0;
    bool primaryWith3D = false;
    Platform::AudioFormat mixingFormat;
    int primaryRestores = 0;
    std::optional<Platform::AudioVector> listenerPosition;
    std::optional<Platform::AudioVector> listenerFront;
    std::optional<Platform::AudioVector> listenerTop;
    std::optional<Platform::AudioVector> pendingListenerPosition;
    std::optional<Platform::AudioVector> pendingListenerFront;
    std::optional<Platform::AudioVector> pendingListenerTop;
    int commits = 0;
    int liveDevices = 0;
    int livePrimaries = 0;
    int liveListeners = 0;
    std::vector<FakeAudioBuffer*> buffers;
};

// Installs a driver for the lifetime of the guard and puts the one that was
// in use before back when it goes.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(Platform::AudioDriver& driver);
    ~ScopedAudioDriver();

    ScopedAudioDriver(const ScopedAudioDriver&) = delete;
    ScopedAudioDriver& operator=(const ScopedAudioDriver&) = delete;

private:
    Platform::AudioDriver& previous_;
};

} // namespace Testing
