#pragma once

#include "tools/data_builder/generators/sound/Tone.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

// One line of a pattern: an instrument and its steps, separated by blanks.
// A step is a note name ("C4", "F#3", "Bb5"; octave 4 holds A 440 Hz), "x"
// for the instrument's base note, "." for a rest or "-" to hold the note
// before one step longer.
struct Track {
    std::uint32_t instrument = 0;
    std::string steps;
    float velocity = 1.0f;
};

struct Pattern {
    float stepSeconds = 0.1f;
    std::vector<ToneSettings> instruments;
    std::vector<Track> tracks;
};

enum class Playback { OneShot, Loop };

struct RenderFormat {
    std::uint32_t rate = 22050;
    std::uint32_t channels = 1;
    Playback playback = Playback::OneShot;
    std::uint64_t seed = 1;
};

// Interleaved samples, nominally in [-1, 1].
struct AudioBuffer {
    std::uint32_t channels = 1;
    std::vector<float> samples;

    std::size_t Frames() const { return samples.size() / channels; }
};

// One note as the grid places it.
struct StepNote {
    std::uint32_t step = 0;
    std::uint32_t lengthSteps = 1;
    int note = 69;
    std::uint32_t instrument = 0;
    float velocity = 1.0f;
};

// Throws std::runtime_error naming the token it cannot read.
int ParseNoteName(const std::string& token);
// The notes of a track and its length in steps.
std::vector<StepNote> ParseTrack(const Track& track, const ToneSettings& instrument, std::uint32_t& stepCount);

// Renders the pattern. A one-shot lasts until its last note has faded. A
// loop lasts the longest track, which the others must divide: each shorter
// track repeats, and what sounds past the end wraps round to the start, so
// the last sample runs into the first without a step. Throws
// std::runtime_error for a step length that is no positive number, an
// unknown instrument, or tracks that do not fit the loop.
AudioBuffer RenderPattern(const Pattern& pattern, const RenderFormat& format);

} // namespace Tools
