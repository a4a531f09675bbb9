#include "engine/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/sound/DirectSoundResult.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/audio/AudioDriver.h"

namespace Halvard {

namespace {

// What the device mixes: 16-bit stereo at 22050 Hz.
Platform::AudioFormat MixingFormat()
{
    Platform::AudioFormat format;
    format.channels = 2;
    format.sampleRate = 22050;
    format.bitsPerSample = 16;
    format.blockAlign = 4;
    format.bytesPerSecond = 88200;
    return format;
}

Platform::AudioVector ToAudio(const Vector3& v) { return {v.x, v.y, v.z}; }

} // namespace

SoundSystem_DS7::SoundSystem_DS7(MessageManager* messages, FileManager* files, Window* window, bool sound3D)
    : SoundSystem(messages, files, sound3D), window_(window)
{
    Start();
}

SoundSystem_DS7::~SoundSystem_DS7() { Release(); }

void SoundSystem_DS7::Start()
{
    messages_->LogMessage("\nInitialization of DirectSound Subsystem:");
    messages_->LogMessage("...Creating a device...");
    if (Platform::GetAudioDriver().CreateDevice(device_) != Platform::kAudioOk)
        Fail("Failed to create a device");
    messages_->LogMessage("...Set cooperative level...");
    const void* handle = window_ != nullptr ? window_->GetHandle() : nullptr;
    if (device_->SetCooperativeLevel(handle, Platform::kAudioCooperationPriority) != Platform::kAudioOk)
        Fail("Failed to set cooperative level");
    messages_->LogMessage("...Create primary buffer...");
    if (device_->CreatePrimaryBuffer(sound3D_, primary_) != Platform::kAudioOk)
        Fail("Failed to create primary buffer");
    messages_->LogMessage("...Set primary buffer format...");
    if (primary_->SetFormat(MixingFormat()) != Platform::kAudioOk)
        Fail("Failed to set primary buffer format");
    if (sound3D_) {
        messages_->LogMessage("...Get the 3D listener from the primary buffer...");
        if (primary_->GetListener(listener_) != Platform::kAudioOk) {
            listener_.reset();
            messages_->LogError("Failed to get the 3D listener from the primary buffer");
            sound3D_ = false;
        }
    }
    messages_->LogMessage("");
    ResetListener();
}

void SoundSystem_DS7::Fail(const std::string& text)
{
    messages_->LogError(text);
    Release();
    throw Error("");
}

void SoundSystem_DS7::Release()
{
    messages_->LogMessage("DirectSound system destroying:");
    if (listener_ != nullptr) {
        messages_->LogMessage("...Releasing 3D listener...");
        listener_.reset();
    }
    if (primary_ != nullptr) {
        messages_->LogMessage("...Releasing primary buffer...");
        primary_.reset();
    }
    if (device_ != nullptr) {
        messages_->LogMessage("...Releasing device...");
        device_.reset();
    }
}

void SoundSystem_DS7::Refresh()
{
    u32 status = 0;
    CheckDirectSoundResult(messages_, "SoundSystem_DS7::Refresh", primary_->GetStatus(status));
    if ((status & Platform::kAudioStatusLost) != 0)
        CheckDirectSoundResult(messages_, "SoundSystem_DS7::Refresh", primary_->Restore());
    if (listener_ != nullptr)
        CheckDirectSoundResult(messages_, "SoundSystem_DS7::Refresh", listener_->CommitDeferredSettings());
}

std::unique_ptr<Sound> SoundSystem_DS7::CreateSound(const std::string& name)
{
    return std::make_unique<Sound_DS7>(messages_, bufferManager_, name);
}

std::unique_ptr<Sound> SoundSystem_DS7::CloneSound(const Sound& sound)
{
    return std::make_unique<Sound_DS7>(dynamic_cast<const Sound_DS7&>(sound));
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CreateSoundBuffer(const std::string& name)
{
    return std::make_unique<SoundBuffer_DS7>(messages_, files_, this, name);
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CloneSoundBuffer(const SoundBuffer& buffer)
{
    return std::make_unique<SoundBuffer_DS7>(dynamic_cast<const SoundBuffer_DS7&>(buffer));
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (listener_ != nullptr)
        CheckDirectSoundResult(messages_, "SoundSystem_DS7::SetListenerPosition",
                               listener_->SetPosition(ToAudio(listenerPosition_), true));
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (listener_ != nullptr)
        CheckDirectSoundResult(messages_, "SoundSystem_DS7::SetListenerOrientation",
                               listener_->SetOrientation(ToAudio(listenerFront_), ToAudio(listenerTop_), true));
}

} // namespace Halvard
