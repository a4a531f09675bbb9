#include "engine/sound/SoundUtils.h"

#include <cmath>

namespace Halvard {

namespace {

constexpr i32 kSilence = -10000;

} // namespace

i32 VolumeToAttenuation(float volume)
{
    if (volume < 0.0001f)
        return kSilence;
    if (volume >= 1.0f)
        return 0;
    const auto attenuation = static_cast<i32>(std::log(1.0f / volume) * -1000.0);
    return attenuation < kSilence ? kSilence : attenuation;
}

} // namespace Halvard
