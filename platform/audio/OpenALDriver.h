#pragma once

#include "platform/audio/AudioDriver.h"
#include "platform/audio/OpenALOutput.h"

#include <memory>
#include <string>

namespace Platform {

// Opens OpenAL Soft outputs: a named or the default device, or a loopback
// device that mixes only when asked, so that tests hear exactly what plays.
class OpenALDriver : public AudioDriver {
public:
    // An empty name opens the system's default output.
    explicit OpenALDriver(std::string deviceName = {});
    static std::unique_ptr<OpenALDriver> CreateLoopback();

    AudioResult CreateDevice(std::unique_ptr<AudioDevice>& out) override;

    // Loopback drivers only: mixes count frames of interleaved stereo floats
    // (full scale 1.0) on the device opened last. False when that device is
    // gone or has no mixing rate yet.
    bool Render(float* frames, uint32_t count);

private:
    std::string deviceName_;
    bool loopback_ = false;
    std::weak_ptr<OpenALOutput> lastOutput_;
};

} // namespace Platform
