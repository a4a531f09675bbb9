#include "engine/sound/Sound_DS7.h"

#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundUtils.h"

namespace Halvard {

Sound_DS7::Sound_DS7(MessageManager* messages, SoundBufferManager* bufferManager, const std::string& name)
    : Sound(messages, bufferManager, name), state_(kSoundStopped)
{
    TakeBuffer();
    SetVolume(volume_);
    SetTempo(tempo_);
    SetPosition(position_);
}

// The tempo is pushed as well, so that the copy sounds like its original.
Sound_DS7::Sound_DS7(const Sound_DS7& sound)
    : Sound(sound.messages_, sound.bufferManager_, sound.name_), state_(kSoundStopped)
{
    TakeBuffer();
    looping_ = sound.looping_;
    if (buffer_->IsStreaming())
        buffer_->SetLooping(looping_);
    SetVolume(sound.volume_);
    SetTempo(sound.tempo_);
    SetPosition(sound.position_);
}

Sound_DS7::~Sound_DS7() { bufferManager_->ReleaseBuffer(buffer_); }

void Sound_DS7::TakeBuffer()
{
    buffer_ = bufferManager_->GetBuffer(name_);
    // The sound system makes device buffers only.
    deviceBuffer_ = static_cast<SoundBuffer_DS7*>(buffer_);
}

void Sound_DS7::Update()
{
    if (deviceBuffer_->IsLost()) {
        if (!deviceBuffer_->Restore())
            return;
        if (buffer_->IsStreaming()) {
            const u32 former = state_;
            Stop();
            if (former == kSoundPlaying) {
                Play();
            } else if (former == kSoundPaused) {
                Play();
                Pause();
            }
        }
    }
    if (state_ == kSoundPlaying && !deviceBuffer_->IsPlaying())
        Stop();
}

bool Sound_DS7::Play()
{
    const bool streaming = buffer_->IsStreaming();
    if (deviceBuffer_->IsPlaying()) {
        deviceBuffer_->Stop();
        if (streaming)
            buffer_->SetStreamState(SoundBuffer::kStreamStopped);
    }
    if (streaming)
        buffer_->SetStreamState(SoundBuffer::kStreamPlaying);
    if (!deviceBuffer_->Play(looping_)) {
        Stop();
        return false;
    }
    state_ = kSoundPlaying;
    return true;
}

void Sound_DS7::Pause()
{
    deviceBuffer_->Pause();
    if (buffer_->IsStreaming())
        buffer_->SetStreamState(SoundBuffer::kStreamPaused);
    state_ = kSoundPaused;
}

void Sound_DS7::Stop()
{
    deviceBuffer_->Stop();
    if (buffer_->IsStreaming())
        buffer_->SetStreamState(SoundBuffer::kStreamStopped);
    state_ = kSoundStopped;
}

void Sound_DS7::SetLooped(bool looped)
{
    Sound::SetLooped(looped);
    if (!buffer_->IsStreaming() && deviceBuffer_->IsPlaying())
        deviceBuffer_->Play(looped);
}

void Sound_DS7::SetVolume(float volume)
{
    Sound::SetVolume(volume);
    deviceBuffer_->SetVolume(volume_);
}

void Sound_DS7::SetTempo(float tempo)
{
    Sound::SetTempo(tempo);
    deviceBuffer_->SetTempo(tempo_);
}

void Sound_DS7::SetPosition(const Vector3& position)
{
    Sound::SetPosition(position);
    deviceBuffer_->SetPosition(position_);
}

} // namespace Halvard
