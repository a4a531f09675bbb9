#include "tools/data_builder/generators/sound/Envelope.h"

#include <algorithm>

namespace Tools {

namespace {

float HeldLevel(const Adsr& envelope, float t)
{
    if (t < envelope.attack)
        return t / envelope.attack;
    const float intoDecay = t - envelope.attack;
    if (intoDecay < envelope.decay)
        return 1.0f - (1.0f - envelope.sustain) * intoDecay / envelope.decay;
    return envelope.sustain;
}

} // namespace

float EnvelopeLevel(const Adsr& envelope, float gate, float t)
{
    if (t <= 0.0f)
        return 0.0f;
    if (t < gate)
        return HeldLevel(envelope, t);
    const float intoRelease = t - gate;
    if (intoRelease >= envelope.release)
        return 0.0f;
    return HeldLevel(envelope, gate) * (1.0f - intoRelease / envelope.release);
}

float EnvelopeLength(const Adsr& envelope, float gate) { return std::max(gate, 0.0f) + envelope.release; }

} // namespace Tools
