#include "platform/audio/AudioDriver.h"

#include "platform/audio/OpenALDriver.h"

namespace Platform {

namespace {

AudioDriver* installedDriver = nullptr;

AudioDriver& TheOpenALDriver()
{
    static OpenALDriver driver;
    return driver;
}

} // namespace

AudioDriver& GetAudioDriver() { return installedDriver != nullptr ? *installedDriver : TheOpenALDriver(); }

void SetAudioDriver(AudioDriver* driver) { installedDriver = driver; }

} // namespace Platform
