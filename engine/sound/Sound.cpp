#include "engine/sound/Sound.h"

#include "engine/sound/SoundBuffer.h"

namespace Halvard {

Sound::Sound(MessageManager* messages, SoundBufferManager* bufferManager, const std::string& name)
    : messages_(messages), bufferManager_(bufferManager), name_(name)
{
}

Sound::~Sound() = default;

void Sound::Update() {}

void Sound::SetLooped(bool looped)
{
    looping_ = looped;
    if (buffer_ != nullptr && buffer_->IsStreaming())
        buffer_->SetLooping(looped);
}

void Sound::SetVolume(float volume) { volume_ = volume; }

void Sound::SetTempo(float tempo) { tempo_ = tempo; }

void Sound::SetPosition(const Vector3& position) { position_ = position; }

} // namespace Halvard
