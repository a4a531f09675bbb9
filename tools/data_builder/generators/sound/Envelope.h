#pragma once

namespace Tools {

// Attack, decay, sustain, release: times in seconds, sustain a level 0-1.
struct Adsr {
    float attack = 0.005f;
    float decay = 0.05f;
    float sustain = 0.6f;
    float release = 0.05f;
};

// The level at time t (seconds) of a note held for gate seconds: 0 at the
// start, rising linearly, falling linearly to sustain, and from wherever it
// stands at the gate linearly to 0 after release seconds.
float EnvelopeLevel(const Adsr& envelope, float gate, float t);
// How long a note held for gate seconds sounds.
float EnvelopeLength(const Adsr& envelope, float gate);

} // namespace Tools
