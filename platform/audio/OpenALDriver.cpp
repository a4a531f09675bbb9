#include "platform/audio/OpenALDriver.h"

#include "platform/audio/OpenALDevice.h"

namespace Platform {

OpenALDriver::OpenALDriver(std::string deviceName) : deviceName_(std::move(deviceName)) {}

std::unique_ptr<OpenALDriver> OpenALDriver::CreateLoopback()
{
    auto driver = std::make_unique<OpenALDriver>();
    driver->loopback_ = true;
    return driver;
}

AudioResult OpenALDriver::CreateDevice(std::unique_ptr<AudioDevice>& out)
{
    std::shared_ptr<OpenALOutput> output =
        loopback_ ? OpenALOutput::OpenLoopback() : OpenALOutput::OpenDevice(deviceName_);
    if (output == nullptr)
        return kAudioNoDriver;
    lastOutput_ = output;
    out = std::make_unique<OpenALDevice>(std::move(output));
    return kAudioOk;
}

bool OpenALDriver::Render(float* frames, uint32_t count)
{
    const std::shared_ptr<OpenALOutput> output = lastOutput_.lock();
    return loopback_ && output != nullptr && output->Render(frames, count);
}

} // namespace Platform
