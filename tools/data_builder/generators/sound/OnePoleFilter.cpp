#include "tools/data_builder/generators/sound/OnePoleFilter.h"

#include <cmath>
#include <numbers>

namespace Tools {

OnePoleFilter::OnePoleFilter(Kind kind, float cutoff, std::uint32_t rate)
    : kind_(kind), bypass_(cutoff == 0.0f),
      coefficient_(static_cast<float>(1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / rate)))
{
}

float OnePoleFilter::Process(float input)
{
    if (bypass_)
        return input;
    state_ += coefficient_ * (input - state_);
    return kind_ == Kind::LowPass ? state_ : input - state_;
}

} // namespace Tools
