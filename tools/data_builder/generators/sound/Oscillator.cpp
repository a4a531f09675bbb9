#include "tools/data_builder/generators/sound/Oscillator.h"

#include "tools/data_builder/generators/Random.h"

#include <cmath>
#include <numbers>

namespace Tools {

namespace {

// The correction that rounds off a step at phase 0 of a cycle.
double PolyBlep(double phase, double increment)
{
    if (increment <= 0.0)
        return 0.0;
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double Wrap(double phase) { return phase - std::floor(phase); }

} // namespace

float Oscillator::Shape(double increment) const
{
    switch (wave_) {
    case Waveform::Sine:
        return static_cast<float>(std::sin(2.0 * std::numbers::pi * phase_));
    case Waveform::Square: {
        double value = phase_ < pulseWidth_ ? 1.0 : -1.0;
        value += PolyBlep(phase_, increment);
        value -= PolyBlep(Wrap(phase_ - pulseWidth_), increment);
        return static_cast<float>(value);
    }
    case Waveform::Saw:
        return static_cast<float>(2.0 * phase_ - 1.0 - PolyBlep(phase_, increment));
    case Waveform::Triangle:
        return static_cast<float>(phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_);
    case Waveform::Noise:
        return held_;
    }
    return 0.0f;
}

float Oscillator::Next(double increment, Random& random)
{
    if (wave_ == Waveform::Noise && (phase_ == 0.0 || phase_ + increment >= 1.0))
        held_ = random.Signed();
    const float value = Shape(increment);
    phase_ = Wrap(phase_ + increment);
    return value;
}

} // namespace Tools
