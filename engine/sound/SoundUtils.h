#pragma once

#include "engine/core/Types.h"

namespace Halvard {

// The states every sound reports.
enum SoundState : u32 {
    kSoundPlaying = 0,
    kSoundPaused = 1,
    kSoundStopped = 2,
};

// A volume factor as hundredths of a decibel: -10000 (silence) for factors
// below 0.0001, trunc(ln(1 / v) * -1000) otherwise, never below -10000 and,
// since the device cannot amplify, never above 0.
i32 VolumeToAttenuation(float volume);

} // namespace Halvard
