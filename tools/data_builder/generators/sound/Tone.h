#pragma once

#include "tools/data_builder/generators/sound/Envelope.h"
#include "tools/data_builder/generators/sound/Oscillator.h"

#include <cstdint>
#include <vector>

namespace Tools {

class Random;

// One instrument of the synthesiser: what a single note of it sounds like.
// Frequencies in Hz, times in seconds; a filter cutoff of 0 is no filter.
struct ToneSettings {
    Waveform wave = Waveform::Sine;
    // The share of a square's cycle spent high.
    float pulseWidth = 0.5f;
    // A second oscillator this many cents above the first, mixed half and
    // half; 0 plays one.
    float detuneCents = 0.0f;
    // White noise mixed in, 0-1.
    float noise = 0.0f;
    // The pitch glides this far over sweepSeconds from the note's start.
    float sweepSemitones = 0.0f;
    float sweepSeconds = 0.1f;
    float vibratoHz = 0.0f;
    float vibratoSemitones = 0.0f;
    float lowPass = 0.0f;
    float highPass = 0.0f;
    Adsr envelope;
    float gain = 1.0f;
    // -1 left to 1 right; stereo renders only.
    float pan = 0.0f;
    // The MIDI note an "x" step plays (69 is A at 440 Hz).
    int baseNote = 69;
};

// The MIDI note's frequency.
double NoteFrequency(double note);

// One note held for gate seconds: oscillators, then filters, then the
// envelope, so the note begins and ends at exactly 0.
std::vector<float> RenderTone(const ToneSettings& tone, double note, float gate, std::uint32_t rate,
                              Random& random);

} // namespace Tools
