#include "engine/sound/SoundBuffer_DS7.h"

#include "engine/core/MessageManager.h"
#include "engine/sound/DirectSoundResult.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "engine/sound/SoundUtils.h"
#include "platform/audio/AudioDevice.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Halvard {

SoundBuffer_DS7::SoundBuffer_DS7(MessageManager* messages, FileManager* files, SoundSystem_DS7* system,
                                 const std::string& name)
    : SoundBuffer(messages, files, name), system_(system)
{
    Fill(nullptr);
}

SoundBuffer_DS7::SoundBuffer_DS7(const SoundBuffer_DS7& source)
    : SoundBuffer(source.messages_, source.files_, source.name_), system_(source.system_)
{
    Fill(&source);
}

SoundBuffer_DS7::~SoundBuffer_DS7() { Close(); }

void SoundBuffer_DS7::Close()
{
    SoundBuffer::Close();
    ReleaseBuffers();
}

void SoundBuffer_DS7::ReleaseBuffers()
{
    buffer3D_.reset();
    buffer_.reset();
}

void SoundBuffer_DS7::Check(const char* context, i32 result) const
{
    CheckDirectSoundResult(messages_, context, result);
}

Platform::AudioBufferDesc SoundBuffer_DS7::Describe() const
{
    Platform::AudioBufferDesc desc;
    desc.format.channels = channels_;
    desc.format.sampleRate = sampleRate_;
    desc.format.bitsPerSample = bitsPerSample_;
    desc.format.blockAlign = channels_ * bitsPerSample_ / 8;
    desc.format.bytesPerSecond = sampleRate_ * desc.format.blockAlign;
    desc.flags = Platform::kAudioBufferControlVolume | Platform::kAudioBufferControlFrequency;
    if (system_->Is3D() && channels_ == 1)
        desc.flags |= Platform::kAudioBufferControl3D;
    if (streaming_) {
        desc.size = kStreamSize;
    } else {
        desc.flags |= Platform::kAudioBufferStatic;
        desc.size = dataSize_;
    }
    return desc;
}

void SoundBuffer_DS7::CreateBuffer(const SoundBuffer* source)
{
    if (buffer_ != nullptr)
        return;
    Platform::AudioDevice* device = system_->GetDevice();
    Platform::AudioResult result = Platform::kAudioOk;
    if (source == nullptr) {
        result = device->CreateBuffer(Describe(), buffer_);
    } else {
        auto& original = dynamic_cast<const SoundBuffer_DS7&>(*source);
        result = original.buffer_ == nullptr ? Platform::kAudioInvalidCall
                                             : device->DuplicateBuffer(*original.buffer_, buffer_);
    }
    if (result != Platform::kAudioOk) {
        buffer_.reset();
        messages_->LogError("Sound System: DirectSound buffers overflow");
        return;
    }
    if (system_->Is3D() && channels_ == 1)
        Get3DBuffer();
}

void SoundBuffer_DS7::Get3DBuffer()
{
    if (buffer_->Get3DBuffer(buffer3D_) != Platform::kAudioOk) {
        buffer3D_.reset();
        messages_->LogError("Sound System: Failed to get the 3D buffer from the secondary buffer");
    }
}

bool SoundBuffer_DS7::WriteData(u32 chunkIndex, const u8* bytes, u32 size)
{
    if (buffer_ == nullptr)
        return true;
    Platform::AudioLock lock;
    if (buffer_->Lock(chunkIndex * kChunkSize, size, lock) != Platform::kAudioOk)
        return false;
    const u32 first = std::min(size, lock.firstSize);
    std::memcpy(lock.first, bytes, first);
    if (lock.second != nullptr)
        std::memcpy(lock.second, bytes + first, std::min(size - first, lock.secondSize));
    return buffer_->Unlock(lock) == Platform::kAudioOk;
}

void SoundBuffer_DS7::ReservedSlot7(u32) {}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<u32>& chunks)
{
    chunks.clear();
    if (buffer_ == nullptr || ended_ || !IsPlaying())
        return;
    Check("SoundBuffer_DS7::UnqueueProcessedBuffers", buffer_->TakePlayedRegions(played_));
    for (const Platform::AudioRegion& region : played_) {
        bytesPlayed_ += region.size;
        const u32 index = region.offset / kChunkSize;
        if (std::find(chunks.begin(), chunks.end(), index) == chunks.end())
            chunks.push_back(index);
    }
    if (!looping_ && bytesPlayed_ > static_cast<u64>(dataSize_) + kChunkSize) {
        Check("SoundBuffer_DS7::UnqueueProcessedBuffers", buffer_->Stop());
        ended_ = true;
    }
}

bool SoundBuffer_DS7::Play(bool loop)
{
    if (buffer_ == nullptr)
        return true;
    const Platform::AudioResult result = buffer_->Play(streaming_ || loop);
    Check("SoundBuffer_DS7::Play", result);
    ended_ = false;
    return result == Platform::kAudioOk;
}

void SoundBuffer_DS7::Pause()
{
    if (buffer_ != nullptr)
        Check("SoundBuffer_DS7::Pause", buffer_->Stop());
}

void SoundBuffer_DS7::Stop()
{
    if (buffer_ == nullptr)
        return;
    Check("SoundBuffer_DS7::Stop", buffer_->Stop());
    Check("SoundBuffer_DS7::Stop", buffer_->SetCurrentPosition(0));
    bytesPlayed_ = 0;
}

bool SoundBuffer_DS7::IsPlaying()
{
    if (buffer_ == nullptr)
        return false;
    u32 status = 0;
    Check("SoundBuffer_DS7::IsPlaying", buffer_->GetStatus(status));
    return (status & Platform::kAudioStatusPlaying) != 0;
}

bool SoundBuffer_DS7::IsLost()
{
    if (buffer_ == nullptr)
        return false;
    u32 status = 0;
    Check("SoundBuffer_DS7::IsPlaying", buffer_->GetStatus(status));
    return (status & Platform::kAudioStatusLost) != 0;
}

bool SoundBuffer_DS7::Restore()
{
    if (buffer_ == nullptr)
        return false;
    if (buffer_->Restore() != Platform::kAudioOk)
        return false;
    if (!streaming_)
        Fill(nullptr);
    return true;
}

void SoundBuffer_DS7::SetVolume(float volume)
{
    volume_ = volume;
    if (buffer_ != nullptr)
        Check("SoundBuffer_DS7::SetVolume", buffer_->SetVolume(VolumeToAttenuation(volume)));
}

void SoundBuffer_DS7::SetTempo(float tempo)
{
    if (buffer_ == nullptr)
        return;
    // A tempo of 0 or below plays the sound at its own rate. A rate beyond
    // what the device takes is handed on as the largest one, so that the
    // device refuses it rather than the conversion going undefined.
    const float rate = static_cast<float>(sampleRate_) * tempo;
    constexpr float kBeyondAnyRate = 4294967296.0f;
    const u32 frequency = !(tempo > 0.0f)         ? 0
                          : rate < kBeyondAnyRate ? static_cast<u32>(rate)
                                                  : std::numeric_limits<u32>::max();
    Check("SoundBuffer_DS7::SetTempo", buffer_->SetFrequency(frequency));
}

void SoundBuffer_DS7::SetPosition(const Vector3& position)
{
    if (buffer3D_ != nullptr)
        Check("SoundBuffer_DS7::SetPosition", buffer3D_->SetPosition({position.x, position.y, position.z}, true));
}

} // namespace Halvard
