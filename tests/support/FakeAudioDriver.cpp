#include "tests/support/FakeAudioDriver.h"

#include <algorithm>

using namespace Platform;

namespace Testing {

namespace {

class FakeAudio3DBuffer : public Audio3DBuffer {
public:
    explicit FakeAudio3DBuffer(FakeAudioBuffer& buffer) : buffer_(buffer) {}

    AudioResult SetPosition(const AudioVector& position, bool deferred) override
    {
        if (deferred)
            buffer_.pendingPlace = position;
        else
            buffer_.place = position;
        return kAudioOk;
    }

private:
    FakeAudioBuffer& buffer_;
};

class FakeAudioListener : public AudioListener {
public:
    explicit FakeAudioListener(FakeAudioDriver& driver) : driver_(driver) { ++driver_.liveListeners; }
    ~FakeAudioListener() override { --driver_.liveListeners; }

    AudioResult SetPosition(const AudioVector& position, bool deferred) override
    {
        (deferred ? driver_.pendingListenerPosition : driver_.listenerPosition) = position;
        return kAudioOk;
    }

    AudioResult SetOrientation(const AudioVector& front, const AudioVector& top, bool deferred) override
    {
        (deferred ? driver_.pendingListenerFront : driver_.listenerFront) = front;
        (deferred ? driver_.pendingListenerTop : driver_.listenerTop) = top;
        return kAudioOk;
    }

    AudioResult CommitDeferredSettings() override
    {
        driver_.Commit();
        return kAudioOk;
    }

private:
    FakeAudioDriver& driver_;
};

class FakeAudioPrimaryBuffer : public AudioPrimaryBuffer {
public:
    FakeAudioPrimaryBuffer(FakeAudioDriver& driver, bool with3D) : driver_(driver), with3D_(with3D)
    {
        ++driver_.livePrimaries;
    }
    ~FakeAudioPrimaryBuffer() override { --driver_.livePrimaries; }

    AudioResult SetFormat(const AudioFormat& format) override
    {
        driver_.mixingFormat = format;
        return driver_.formatResult;
    }

    AudioResult GetStatus(uint32_t& status) override
    {
        status = driver_.primaryLost ? uint32_t{kAudioStatusLost} : 0;
        return kAudioOk;
    }

    AudioResult Restore() override
    {
        ++driver_.primaryRestores;
        driver_.primaryLost = false;
        return kAudioOk;
    }

    AudioResult GetListener(std::unique_ptr<AudioListener>& out) override
    {
        if (!with3D_)
            return kAudioNoInterface;
        if (driver_.listenerResult != kAudioOk)
            return driver_.listenerResult;
        out = std::make_unique<FakeAudioListener>(driver_);
        return kAudioOk;
    }

private:
    FakeAudioDriver& driver_;
    bool with3D_;
};

class FakeAudioDevice : public AudioDevice {
public:
    explicit FakeAudioDevice(FakeAudioDriver& driver) : driver_(driver) { ++driver_.liveDevices; }
    ~FakeAudioDevice() override { --driver_.liveDevices; }

    AudioResult SetCooperativeLevel(const void* window, uint32_t level) override
    {
        driver_.window = window;
        driver_.cooperativeLevel = level;
        return driver_.cooperativeResult;
    }

    AudioResult CreatePrimaryBuffer(bool with3D, std::unique_ptr<AudioPrimaryBuffer>& out) override
    {
        driver_.primaryWith3D = with3D;
        if (driver_.primaryResult != kAudioOk)
            return driver_.primaryResult;
        out = std::make_unique<FakeAudioPrimaryBuffer>(driver_, with3D);
        return kAudioOk;
    }

    AudioResult CreateBuffer(const AudioBufferDesc& desc, std::unique_ptr<AudioBuffer>& out) override
    {
        if (driver_.bufferResult != kAudioOk)
            return driver_.bufferResult;
        out = std::make_unique<FakeAudioBuffer>(driver_, desc, std::make_shared<std::vector<uint8_t>>(desc.size),
                                                false);
        return kAudioOk;
    }

    AudioResult DuplicateBuffer(AudioBuffer& source, std::unique_ptr<AudioBuffer>& out) override
    {
        auto& original = dynamic_cast<FakeAudioBuffer&>(source);
        if (driver_.duplicateResult != kAudioOk || !original.IsStatic())
            return driver_.duplicateResult != kAudioOk ? driver_.duplicateResult : kAudioInvalidCall;
        out = std::make_unique<FakeAudioBuffer>(driver_, original.desc, original.memory, true);
        return kAudioOk;
    }

private:
    FakeAudioDriver& driver_;
};

std::string Line(const std::string& call, uint32_t value) { return call + " " + std::to_string(value); }

} // namespace

FakeAudioBuffer::FakeAudioBuffer(FakeAudioDriver& driver, const AudioBufferDesc& desc,
                                 std::shared_ptr<std::vector<uint8_t>> memory, bool duplicate)
    : driver(driver), desc(desc), memory(std::move(memory)), duplicate(duplicate)
{
    driver.buffers.push_back(this);
}

FakeAudioBuffer::~FakeAudioBuffer() { std::erase(driver.buffers, this); }

AudioResult FakeAudioBuffer::Play(bool loop)
{
    calls.push_back(Line("Play", loop ? 1 : 0));
    if (playResult != kAudioOk)
        return playResult;
    playing = true;
    looping = loop;
    return kAudioOk;
}

AudioResult FakeAudioBuffer::Stop()
{
    calls.push_back("Stop");
    playing = false;
    return kAudioOk;
}

AudioResult FakeAudioBuffer::SetCurrentPosition(uint32_t offset)
{
    calls.push_back(Line("SetCurrentPosition", offset));
    position = offset;
    if (!IsStatic() && offset == 0) {
        queued.clear();
        played.clear();
    }
    return kAudioOk;
}

AudioResult FakeAudioBuffer::GetStatus(uint32_t& status)
{
    status = (playing ? uint32_t{kAudioStatusPlaying} : 0) | (lost ? uint32_t{kAudioStatusLost} : 0);
    return kAudioOk;
}

AudioResult FakeAudioBuffer::Restore()
{
    calls.push_back("Restore");
    if (restoreResult == kAudioOk)
        lost = false;
    return restoreResult;
}

AudioResult FakeAudioBuffer::SetVolume(int32_t value)
{
    volume = value;
    return value > kAudioVolumeFull || value < kAudioVolumeSilent ? kAudioInvalidParam : kAudioOk;
}

AudioResult FakeAudioBuffer::SetFrequency(uint32_t value)
{
    frequency = value;
    return kAudioOk;
}

AudioResult FakeAudioBuffer::Lock(uint32_t offset, uint32_t size, AudioLock& lock)
{
    const auto length = static_cast<uint32_t>(memory->size());
    if (offset >= length || size > length)
        return kAudioInvalidParam;
    lockOffset_ = offset;
    lock.first = memory->data() + offset;
    lock.firstSize = std::min(size, length - offset);
    lock.second = lock.firstSize < size ? memory->data() : nullptr;
    lock.secondSize = size - lock.firstSize;
    return kAudioOk;
}

AudioResult FakeAudioBuffer::Unlock(const AudioLock& lock)
{
    if (!IsStatic()) {
        const AudioRegion region{lockOffset_, lock.firstSize + lock.secondSize};
        written.push_back(region);
        queued.push_back(region);
    }
    return kAudioOk;
}

AudioResult FakeAudioBuffer::TakePlayedRegions(std::vector<AudioRegion>& regions)
{
    regions = played;
    played.clear();
    return IsStatic() ? kAudioInvalidCall : kAudioOk;
}

AudioResult FakeAudioBuffer::Get3DBuffer(std::unique_ptr<Audio3DBuffer>& out)
{
    if ((desc.flags & kAudioBufferControl3D) == 0)
        return kAudioNoInterface;
    if (driver.placeResult != kAudioOk)
        return driver.placeResult;
    has3DBuffer = true;
    out = std::make_unique<FakeAudio3DBuffer>(*this);
    return kAudioOk;
}

void FakeAudioBuffer::PlayOut(uint32_t count)
{
    for (; count > 0 && !queued.empty(); --count) {
        played.push_back(queued.front());
        queued.pop_front();
    }
}

int FakeAudioBuffer::CountCalls(const std::string& line) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), line));
}

AudioResult FakeAudioDriver::CreateDevice(std::unique_ptr<AudioDevice>& out)
{
    if (createResult != kAudioOk)
        return createResult;
    out = std::make_unique<FakeAudioDevice>(*this);
    return kAudioOk;
}

void FakeAudioDriver::Commit()
{
    ++commits;
    auto apply = [](std::optional<AudioVector>& pending, std::optional<AudioVector>& value) {
        if (pending)
            value = pending;
        pending.reset();
    };
    apply(pendingListenerPosition, listenerPosition);
    apply(pendingListenerFront, listenerFront);
    apply(pendingListenerTop, listenerTop);
    for (FakeAudioBuffer* buffer : buffers)
        apply(buffer->pendingPlace, buffer->place);
}

ScopedAudioDriver::ScopedAudioDriver(AudioDriver& driver) : previous_(GetAudioDriver()) { SetAudioDriver(&driver); }

ScopedAudioDriver::~ScopedAudioDriver() { SetAudioDriver(&previous_); }

} // namespace Testing
