#include "tools/data_builder/generators/sound/Tone.h"

#include "tools/data_builder/generators/sound/OnePoleFilter.h"
#include "tools/data_builder/generators/Random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Tools {

namespace {

// The note's pitch in semitones at time t, sweep and vibrato applied.
double PitchAt(const ToneSettings& tone, double note, double t)
{
    const double sweep = tone.sweepSeconds > 0.0f ? std::min(t / tone.sweepSeconds, 1.0) : 1.0;
    const double vibrato = tone.vibratoSemitones * std::sin(2.0 * std::numbers::pi * tone.vibratoHz * t);
    return note + tone.sweepSemitones * sweep + vibrato;
}

} // namespace

double NoteFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

std::vector<float> RenderTone(const ToneSettings& tone, double note, float gate, std::uint32_t rate,
                              Random& random)
{
    const auto count = static_cast<std::size_t>(std::ceil(EnvelopeLength(tone.envelope, gate) * rate));
    std::vector<float> samples(count);
    Oscillator main(tone.wave, tone.pulseWidth);
    Oscillator detuned(tone.wave, tone.pulseWidth);
    const double detuneRatio = std::pow(2.0, tone.detuneCents / 1200.0);
    OnePoleFilter lowPass(OnePoleFilter::Kind::LowPass, tone.lowPass, rate);
    OnePoleFilter highPass(OnePoleFilter::Kind::HighPass, tone.highPass, rate);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double increment = NoteFrequency(PitchAt(tone, note, t)) / rate;
        float value = main.Next(increment, random);
        if (tone.detuneCents != 0.0f)
            value = 0.5f * (value + detuned.Next(increment * detuneRatio, random));
        value += tone.noise * (random.Signed() - value);
        value = highPass.Process(lowPass.Process(value));
        samples[i] = value * tone.gain * EnvelopeLevel(tone.envelope, gate, static_cast<float>(t));
    }
    return samples;
}

} // namespace Tools
