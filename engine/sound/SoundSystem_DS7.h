#pragma once

#include "engine/sound/SoundSystem.h"
#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioListener.h"
#include "platform/audio/AudioPrimaryBuffer.h"

#include <memory>

namespace Halvard {

class Window;

// The sound system on the platform's sound device: opened at construction,
// mixing 16-bit stereo at 22050 Hz, with the 3D listener when 3D sound is
// wanted. Every sound and sound buffer must go before the system.
class SoundSystem_DS7 : public SoundSystem {
public:
    // Logs each start-up step. A failing step logs its error line, releases
    // what was made and throws Error with an empty message; a missing
    // listener only turns 3D off.
    SoundSystem_DS7(MessageManager* messages, FileManager* files, Window* window, bool sound3D);
    ~SoundSystem_DS7() override;

    void Refresh() override;
    std::unique_ptr<Sound> CreateSound(const std::string& name) override;
    std::unique_ptr<Sound> CloneSound(const Sound& sound) override;
    std::unique_ptr<SoundBuffer> CreateSoundBuffer(const std::string& name) override;
    std::unique_ptr<SoundBuffer> CloneSoundBuffer(const SoundBuffer& buffer) override;
    // Deferred until the next Refresh.
    void SetListenerPosition(const Vector3& position) override;
    void SetListenerOrientation(const Vector3& front, const Vector3& top) override;

    Platform::AudioDevice* GetDevice() const { return device_.get(); }
    bool HasListener() const { return listener_ != nullptr; }

private:
    void Start();
    void Release();
    [[noreturn]] void Fail(const std::string& text);

    Window* window_;
    std::unique_ptr<Platform::AudioDevice> device_;
    std::unique_ptr<Platform::AudioPrimaryBuffer> primary_;
    std::unique_ptr<Platform::AudioListener> listener_;
};

} // namespace Halvard
