#pragma once

#include <cstdint>

namespace Tools {

// A first-order filter, 6 dB per octave. A cutoff of 0 lets everything
// through, so that a tone's optional filters need no branches of their own.
class OnePoleFilter {
public:
    enum class Kind { LowPass, HighPass };

    OnePoleFilter(Kind kind, float cutoff, std::uint32_t rate);

    float Process(float input);

private:
    Kind kind_;
    bool bypass_;
    float coefficient_;
    float state_ = 0.0f;
};

} // namespace Tools
