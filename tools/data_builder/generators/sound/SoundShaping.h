#pragma once

#include "tools/data_builder/generators/sound/Sequencer.h"

#include <cstdint>
#include <vector>

namespace Tools {

// What is done to a whole rendered sound before it is stored.

// Repeats of a loop's own sound, delayFrames apart, each feedback times the
// one before; they wrap round, so the loop stays seamless. In stereo every
// second repeat sits on the other side.
struct Echo {
    std::uint32_t delayFrames = 0;
    float feedback = 0.0f;
    std::uint32_t repeats = 0;
};
void AddLoopEcho(AudioBuffer& buffer, const Echo& echo);

// The largest share of the peak the mean may stand away from 0: more is a
// recipe's offset, which clicks wherever the sound starts and stops.
constexpr float kMaxOffset = 0.02f;
// Quieter than this peak is silence.
constexpr float kSilentPeak = 0.001f;

// Throws std::runtime_error when a sample is no number, when the sound is
// silent, or when its mean stands off 0 by more than kMaxOffset of its peak.
void CheckSignal(const AudioBuffer& buffer);

float Peak(const AudioBuffer& buffer);
// Saturates gently: tanh(drive * x) / tanh(drive); a drive of 0 leaves the
// sound alone.
void SoftClip(AudioBuffer& buffer, float drive);
// Scales the sound so that its loudest sample is peak (below 1).
void Normalize(AudioBuffer& buffer, float peak);
// Rounds to 16-bit samples; values beyond [-1, 1] saturate.
std::vector<std::int16_t> ToPcm16(const AudioBuffer& buffer);

} // namespace Tools
