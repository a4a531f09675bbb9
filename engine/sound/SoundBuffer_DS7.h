#pragma once

#include "engine/core/Math.h"
#include "engine/sound/SoundBuffer.h"
#include "platform/audio/Audio3DBuffer.h"
#include "platform/audio/AudioBuffer.h"

#include <memory>
#include <vector>

namespace Halvard {

class SoundSystem_DS7;

// A sound buffer on the sound device. A buffer the device could not make
// stays silent: its controls do nothing, it never plays, and writing to it
// succeeds. Streams play their ring chunk by chunk through the device's
// queue and count the bytes played from the chunks the device hands back.
class SoundBuffer_DS7 : public SoundBuffer {
public:
    // Fills the buffer from the named file.
    SoundBuffer_DS7(MessageManager* messages, FileManager* files, SoundSystem_DS7* system, const std::string& name);
    // A buffer of the same sound that shares the source's device samples
    // without reading the file.
    SoundBuffer_DS7(const SoundBuffer_DS7& source);
    ~SoundBuffer_DS7() override;

    void Close() override;
    void CreateBuffer(const SoundBuffer* source) override;
    void ReleaseBuffers() override;
    bool WriteData(u32 chunkIndex, const u8* bytes, u32 size) override;
    // Nothing to do: the device queues a chunk as soon as it is written.
    void ReservedSlot7(u32 chunkIndex) override;
    // A stream that does not loop is stopped and marked ended once the bytes
    // played pass its data by more than a chunk.
    void UnqueueProcessedBuffers(std::vector<u32>& chunks) override;

    // Plays from the current position, looping when asked or when the
    // buffer streams. False only when the device refused.
    bool Play(bool loop);
    // Halts and keeps the position.
    void Pause();
    // Halts and goes back to the start.
    void Stop();
    bool IsPlaying();
    bool IsLost();
    // Gives lost memory back; a static buffer then writes its samples again.
    bool Restore();
    void SetVolume(float volume);
    // Plays at the sample rate times the tempo, truncated.
    void SetTempo(float tempo);
    // Only for a buffer with a place in space; takes effect at the sound
    // system's next refresh.
    void SetPosition(const Vector3& position);

    bool HasDeviceBuffer() const { return buffer_ != nullptr; }
    bool Has3DBuffer() const { return buffer3D_ != nullptr; }
    u64 GetBytesPlayed() const { return bytesPlayed_; }
    bool HasEnded() const { return ended_; }
    float GetVolume() const { return volume_; }

private:
    Platform::AudioBufferDesc Describe() const;
    void Get3DBuffer();
    void Check(const char* context, i32 result) const;

    SoundSystem_DS7* system_;
    std::unique_ptr<Platform::AudioBuffer> buffer_;
    std::unique_ptr<Platform::Audio3DBuffer> buffer3D_;
    u64 bytesPlayed_ = 0;
    bool ended_ = false;
    float volume_ = 1.0f;
    std::vector<Platform::AudioRegion> played_;
};

} // namespace Halvard
