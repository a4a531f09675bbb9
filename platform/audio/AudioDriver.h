#pragma once

#include "platform/audio/AudioDevice.h"
#include "platform/audio/AudioTypes.h"

#include <memory>

namespace Platform {

// Opens sound devices. The real driver is OpenAL Soft's; tests install a fake
// or a loopback driver with SetAudioDriver. Main thread only.
class AudioDriver {
public:
    virtual ~AudioDriver() = default;

    // The default output; kAudioNoDriver when there is none.
    virtual AudioResult CreateDevice(std::unique_ptr<AudioDevice>& out) = 0;
};

// The driver in use: the one installed with SetAudioDriver, else OpenAL Soft
// on the system's default output.
AudioDriver& GetAudioDriver();

// Installs a driver that the caller keeps alive while it is installed; null
// restores the default one.
void SetAudioDriver(AudioDriver* driver);

} // namespace Platform
