#include "tools/data_builder/generators/sound/SoundRecipe.h"

namespace Tools {

namespace {

using W = Waveform;

// A sine or triangle blip that fades quickly: GUI feedback and bounces.
ToneSettings Blip(W wave, int note, float sweep, float release)
{
    return {.wave = wave, .sweepSemitones = sweep, .sweepSeconds = release, .lowPass = 6000.0f,
            .highPass = 80.0f, .envelope = {0.002f, release * 0.5f, 0.4f, release}, .baseNote = note};
}

// Filtered noise whose pitch sets how bright it is: cracks and crunches.
ToneSettings Crunch(int note, float sweep, float lowPass, float release)
{
    return {.wave = W::Noise, .sweepSemitones = sweep, .sweepSeconds = release, .lowPass = lowPass,
            .highPass = 120.0f, .envelope = {0.001f, release * 0.3f, 0.5f, release}, .baseNote = note};
}

// A low sine that drops in pitch: the weight under impacts.
ToneSettings Thump(int note, float release)
{
    return {.wave = W::Sine, .sweepSemitones = -12.0f, .sweepSeconds = release * 0.6f, .highPass = 30.0f,
            .envelope = {0.002f, release * 0.4f, 0.5f, release}, .baseNote = note};
}

// A filtered square or saw for melodies.
ToneSettings Lead(W wave, float lowPass, float release)
{
    return {.wave = wave, .detuneCents = 6.0f, .vibratoHz = 6.0f, .vibratoSemitones = 0.08f, .lowPass = lowPass,
            .highPass = 60.0f, .envelope = {0.004f, 0.08f, 0.6f, release}};
}

Pattern Hit(float gate, std::vector<ToneSettings> layers)
{
    Pattern pattern{gate, std::move(layers), {}};
    for (std::uint32_t i = 0; i < pattern.instruments.size(); ++i)
        pattern.tracks.push_back({i, "x"});
    return pattern;
}

std::vector<SoundRecipe> MenuRecipes()
{
    return {
        {"menu", "button_select_0", Hit(0.015f, {Blip(W::Sine, 88, 2.0f, 0.06f)}), Playback::OneShot, 0.0f, 0.5f},
        {"menu", "button_select_1", Hit(0.015f, {Blip(W::Sine, 91, 2.0f, 0.06f)}), Playback::OneShot, 0.0f, 0.5f},
        {"menu", "button_click",
         Hit(0.01f, {Blip(W::Triangle, 72, -12.0f, 0.05f), Crunch(120, 0.0f, 6000.0f, 0.02f)}), Playback::OneShot,
         0.0f, 0.6f},
        {"menu", "edit_box_print", Hit(0.01f, {Crunch(110, -12.0f, 5000.0f, 0.045f)}), Playback::OneShot, 0.0f, 0.4f},
        {"menu", "window_appear",
         Hit(0.18f, {Crunch(80, 24.0f, 4000.0f, 0.12f), Blip(W::Triangle, 67, 12.0f, 0.15f)}), Playback::OneShot,
         0.0f, 0.5f},
        {"menu", "window_disappear",
         Hit(0.18f, {Crunch(104, -24.0f, 4000.0f, 0.12f), Blip(W::Triangle, 79, -12.0f, 0.15f)}), Playback::OneShot,
         0.0f, 0.5f},
        {"menu", "volume_slider", {0.04f, {Blip(W::Triangle, 84, 0.0f, 0.025f)}, {{0, "x x x x", 1.0f}}},
         Playback::Loop, 0.0f, 0.5f},
        {"menu", "upgrade", {0.06f, {Lead(W::Square, 3500.0f, 0.2f)}, {{0, "C5 E5 G5 C6 - -"}}}, Playback::OneShot,
         0.0f, 0.6f},
        {"menu", "charge_score", {0.05f, {Blip(W::Triangle, 84, 0.0f, 0.04f)}, {{0, "C6 G6 E6 G6"}}}, Playback::Loop,
         0.0f, 0.5f},
    };
}

std::vector<SoundRecipe> FanfareRecipes()
{
    return {
        {"game", "level_begin",
         {0.09f, {Lead(W::Square, 3000.0f, 0.3f), Blip(W::Triangle, 48, 0.0f, 0.3f)},
          {{0, "G4 C5 E5 G5 - - -"}, {1, "C3 . . . - - -"}}},
         Playback::OneShot, 0.0f, 0.7f},
        {"game", "level_complete",
         {0.1f, {Lead(W::Square, 3500.0f, 0.4f), Lead(W::Saw, 1500.0f, 0.4f)},
          {{0, "C5 E5 G5 C6 - . G5 C6 - - -"}, {1, "C4 . . E4 - . . G4 - - -", 0.6f}}},
         Playback::OneShot, 0.0f, 0.7f},
        {"game", "level_failed",
         {0.16f, {Lead(W::Saw, 1800.0f, 0.5f)}, {{0, "G4 F#4 F4 E4 - - -"}}},
         Playback::OneShot, 0.0f, 0.7f},
        {"game", "hit_hard_brick",
         Hit(0.02f, {Blip(W::Square, 76, -2.0f, 0.12f), Crunch(100, 0.0f, 3000.0f, 0.05f)}), Playback::OneShot, 0.0f,
         0.6f},
        {"game", "hit_unbreakable_brick",
         Hit(0.02f, {Blip(W::Triangle, 88, 0.0f, 0.3f), Blip(W::Sine, 95, 0.0f, 0.25f)}), Playback::OneShot, 0.0f,
         0.6f},
        {"game", "crash_simple_brick_0", Hit(0.03f, {Crunch(96, -12.0f, 3000.0f, 0.2f), Thump(55, 0.15f)}),
         Playback::OneShot, 1.5f, 0.7f},
        {"game", "crash_simple_brick_1", Hit(0.03f, {Crunch(100, -12.0f, 3500.0f, 0.2f), Thump(57, 0.15f)}),
         Playback::OneShot, 1.5f, 0.7f},
        {"game", "crash_simple_brick_2", Hit(0.03f, {Crunch(104, -12.0f, 4000.0f, 0.2f), Thump(59, 0.15f)}),
         Playback::OneShot, 1.5f, 0.7f},
        {"game", "crash_hard_brick",
         Hit(0.05f, {Crunch(90, -18.0f, 2500.0f, 0.3f), Blip(W::Square, 52, -12.0f, 0.3f), Thump(45, 0.25f)}),
         Playback::OneShot, 2.0f, 0.75f},
        {"game", "crash_unbreakable_brick",
         Hit(0.05f, {Blip(W::Triangle, 96, -5.0f, 0.45f), Crunch(110, -12.0f, 6000.0f, 0.3f)}), Playback::OneShot,
         1.0f, 0.7f},
        {"game", "crash_explosive_brick",
         Hit(0.2f, {Crunch(76, -30.0f, 1800.0f, 0.8f), Thump(40, 0.7f)}), Playback::OneShot, 3.0f, 0.8f},
        {"game", "crash_ballkeeper",
         Hit(0.08f, {Crunch(88, -12.0f, 2500.0f, 0.35f), Blip(W::Saw, 64, -19.0f, 0.4f)}), Playback::OneShot, 1.5f,
         0.7f},
    };
}

std::vector<SoundRecipe> PlayRecipes()
{
    return {
        {"game", "ball_hit_bat", Hit(0.02f, {Blip(W::Sine, 76, -7.0f, 0.1f), Blip(W::Triangle, 64, -5.0f, 0.08f)}),
         Playback::OneShot, 0.0f, 0.6f},
        {"game", "ball_hit_field_simple", Hit(0.01f, {Blip(W::Sine, 81, -3.0f, 0.06f)}), Playback::OneShot, 0.0f,
         0.45f},
        {"game", "ball_hit_field_super", Hit(0.02f, {Blip(W::Square, 79, 7.0f, 0.12f)}), Playback::OneShot, 0.0f,
         0.5f},
        {"game", "ball_hit_barrier",
         Hit(0.06f, {{.wave = W::Saw, .vibratoHz = 30.0f, .vibratoSemitones = 1.5f, .lowPass = 4000.0f,
                      .highPass = 200.0f, .envelope = {0.002f, 0.05f, 0.5f, 0.12f}, .baseNote = 72}}),
         Playback::OneShot, 0.0f, 0.5f},
        {"game", "ball_losed",
         Hit(0.45f, {{.wave = W::Triangle, .sweepSemitones = -24.0f, .sweepSeconds = 0.6f, .vibratoHz = 7.0f,
                      .vibratoSemitones = 0.3f, .highPass = 60.0f, .envelope = {0.01f, 0.1f, 0.8f, 0.2f},
                      .baseNote = 72}}),
         Playback::OneShot, 0.0f, 0.6f},
        {"game", "bonus_creation", Hit(0.06f, {Blip(W::Sine, 72, 12.0f, 0.15f)}), Playback::OneShot, 0.0f, 0.5f},
        {"game", "bonus_get",
         {0.04f, {Lead(W::Square, 5000.0f, 0.15f)}, {{0, "C6 E6 G6 C7 -"}}}, Playback::OneShot, 0.0f, 0.6f},
        {"game", "arbalest_shot",
         Hit(0.02f, {Blip(W::Saw, 64, -12.0f, 0.15f), Crunch(108, -12.0f, 5000.0f, 0.06f)}), Playback::OneShot, 0.0f,
         0.6f},
        {"game", "ballista_shot",
         Hit(0.04f, {Blip(W::Square, 52, -12.0f, 0.25f), Crunch(96, -12.0f, 2500.0f, 0.12f)}), Playback::OneShot,
         1.0f, 0.7f},
        {"game", "arbalest_hit_field", Hit(0.02f, {Crunch(96, -7.0f, 2000.0f, 0.07f)}), Playback::OneShot, 0.0f,
         0.5f},
        {"game", "ballista_hit_field", Hit(0.03f, {Crunch(84, -12.0f, 1500.0f, 0.15f), Thump(48, 0.12f)}),
         Playback::OneShot, 1.0f, 0.6f},
        {"game", "bat_creation",
         {0.05f, {Blip(W::Triangle, 72, 12.0f, 0.3f), Blip(W::Sine, 84, 0.0f, 0.08f)},
          {{0, "x - - -"}, {1, ". C6 E6 G6 C7"}}},
         Playback::OneShot, 0.0f, 0.6f},
        {"game", "bat_destruction",
         Hit(0.2f, {Crunch(92, -24.0f, 3000.0f, 0.45f), Blip(W::Saw, 67, -24.0f, 0.5f)}), Playback::OneShot, 2.0f,
         0.7f},
        {"game", "hammer", Hit(0.04f, {Thump(45, 0.3f), Crunch(72, -12.0f, 800.0f, 0.2f)}), Playback::OneShot, 2.0f,
         0.8f},
    };
}

} // namespace

std::vector<SoundRecipe> GameSoundRecipes()
{
    std::vector<SoundRecipe> recipes = MenuRecipes();
    for (std::vector<SoundRecipe> part : {FanfareRecipes(), PlayRecipes()})
        recipes.insert(recipes.end(), part.begin(), part.end());
    return recipes;
}

} // namespace Tools
