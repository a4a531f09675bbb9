#pragma once

#include <cstdint>

namespace Tools {

class Random;

enum class Waveform { Sine, Square, Saw, Triangle, Noise };

// One oscillator of the synthesiser. The phase counts cycles; square and
// saw are band-limited at their edges (polyBLEP) so that high notes do not
// alias into whistles. Noise holds one random value per cycle, so its
// frequency sets how bright it sounds.
class Oscillator {
public:
    Oscillator(Waveform wave, float pulseWidth) : wave_(wave), pulseWidth_(pulseWidth) {}

    // The next sample in [-1, 1]; increment is frequency / sample rate.
    float Next(double increment, Random& random);

private:
    float Shape(double increment) const;

    Waveform wave_;
    float pulseWidth_;
    double phase_ = 0.0;
    float held_ = 0.0f;
};

} // namespace Tools
