#include "tools/data_builder/generators/sound/MusicGenerator.h"

namespace Tools {

namespace {

using W = Waveform;

// A bar of sixteen steps that strikes the note on the off-beats.
std::string OffBeats(const std::string& note)
{
    return ". . " + note + " . . . " + note + " . . . " + note + " . . . " + note + " . ";
}

// A bar of sixteen steps that bounces between the root and its octave.
std::string Octaves(const std::string& low, const std::string& high)
{
    std::string bar;
    for (int i = 0; i < 4; ++i)
        bar += low + " - " + high + " - ";
    return bar;
}

// Slow chords, a rippling arpeggio, a bell and a soft shaker: the menus.
MusicRecipe MenuTrack()
{
    const ToneSettings pad{.wave = W::Saw, .detuneCents = 9.0f, .lowPass = 1400.0f, .highPass = 80.0f,
                           .envelope = {0.4f, 0.5f, 0.7f, 0.8f}, .gain = 0.16f};
    const ToneSettings arp{.wave = W::Triangle, .lowPass = 3000.0f, .highPass = 120.0f,
                           .envelope = {0.003f, 0.15f, 0.2f, 0.25f}, .gain = 0.3f, .pan = -0.35f};
    const ToneSettings bell{.wave = W::Sine, .detuneCents = 4.0f, .vibratoHz = 5.0f, .vibratoSemitones = 0.05f,
                            .highPass = 150.0f, .envelope = {0.005f, 0.3f, 0.35f, 0.6f}, .gain = 0.3f, .pan = 0.35f};
    const ToneSettings bass{.wave = W::Triangle, .lowPass = 600.0f, .highPass = 35.0f,
                            .envelope = {0.01f, 0.3f, 0.6f, 0.3f}, .gain = 0.45f};
    const ToneSettings shaker{.wave = W::Noise, .lowPass = 9000.0f, .highPass = 5000.0f,
                              .envelope = {0.002f, 0.03f, 0.0f, 0.05f}, .gain = 0.12f, .pan = 0.2f, .baseNote = 125};
    return {"menu",
            {0.3f,
             {pad, arp, bell, bass, shaker},
             {{0, "A3 - - - - - - - F3 - - - - - - - C4 - - - - - - - G3 - - - - - - -"},
              {0, "C4 - - - - - - - A3 - - - - - - - E4 - - - - - - - B3 - - - - - - -"},
              {0, "E4 - - - - - - - C4 - - - - - - - G4 - - - - - - - D4 - - - - - - -"},
              {1, "A4 C5 E5 C5 A5 E5 C5 E5 F4 A4 C5 A4 F5 C5 A4 C5 "
                  "C5 E5 G5 E5 C6 G5 E5 G5 G4 B4 D5 B4 G5 D5 B4 D5"},
              {2, "E5 - - . C5 - . . A4 - - . C5 - . . G5 - - . E5 - D5 . D5 - - - . . . ."},
              {3, "A2 - - - A2 - - - F2 - - - F2 - - - C3 - - - C3 - - - G2 - - - G2 - - -"},
              {4, ". x . x . x . x"}}},
            3,
            0.35f,
            3,
            0.75f};
}

// Four on the floor, a pumping bass, stabs and a square lead: the levels.
MusicRecipe GameTrack()
{
    const ToneSettings kick{.wave = W::Sine, .sweepSemitones = -14.0f, .sweepSeconds = 0.07f, .highPass = 25.0f,
                            .envelope = {0.001f, 0.12f, 0.0f, 0.1f}, .gain = 0.9f, .baseNote = 45};
    const ToneSettings snare{.wave = W::Noise, .noise = 0.2f, .lowPass = 7000.0f, .highPass = 900.0f,
                             .envelope = {0.001f, 0.09f, 0.1f, 0.12f}, .gain = 0.45f, .baseNote = 118};
    const ToneSettings hat{.wave = W::Noise, .highPass = 7000.0f, .envelope = {0.001f, 0.02f, 0.0f, 0.04f},
                           .gain = 0.2f, .pan = 0.3f, .baseNote = 127};
    const ToneSettings bass{.wave = W::Saw, .lowPass = 900.0f, .highPass = 40.0f,
                            .envelope = {0.003f, 0.1f, 0.5f, 0.06f}, .gain = 0.35f};
    const ToneSettings lead{.wave = W::Square, .pulseWidth = 0.3f, .vibratoHz = 5.5f, .vibratoSemitones = 0.1f,
                            .lowPass = 3500.0f, .highPass = 120.0f, .envelope = {0.005f, 0.1f, 0.6f, 0.1f},
                            .gain = 0.22f, .pan = -0.15f};
    const ToneSettings stab{.wave = W::Saw, .detuneCents = 10.0f, .lowPass = 2000.0f, .highPass = 150.0f,
                            .envelope = {0.003f, 0.12f, 0.3f, 0.1f}, .gain = 0.1f, .pan = 0.35f};
    return {"game0",
            {60.0f / 132.0f / 4.0f,
             {kick, snare, hat, bass, lead, stab},
             {{0, "x . . . x . . . x . . . x . . ."},
              {1, ". . . . x . . . . . . . x . . ."},
              {2, ". . x . . . x . . . x . . . x x"},
              {3, Octaves("A2", "A3") + Octaves("F2", "F3") + Octaves("G2", "G3") + Octaves("E2", "E3")},
              {4, "A4 - C5 - E5 - - - D5 - C5 - B4 - C5 - A4 - - - F4 - A4 - C5 - - - A4 - - - "
                  "B4 - D5 - G5 - - - F5 - E5 - D5 - B4 - G#4 - - - B4 - - - E5 - - - - - - -"},
              {5, OffBeats("A3") + OffBeats("A3") + OffBeats("B3") + OffBeats("B3")},
              {5, OffBeats("C4") + OffBeats("C4") + OffBeats("D4") + OffBeats("E4")},
              {5, OffBeats("E4") + OffBeats("F4") + OffBeats("G4") + OffBeats("G#4")}}},
            3,
            0.25f,
            2,
            0.8f};
}

} // namespace

std::vector<MusicRecipe> MusicRecipes() { return {MenuTrack(), GameTrack()}; }

} // namespace Tools
