#pragma once

#include "tools/data_builder/generators/sound/SoundRecipe.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The effects are stored as 16-bit mono PCM at this rate.
constexpr std::uint32_t kEffectRate = 22050;
// A one-shot effect lasts this long at least and at most, in seconds.
constexpr float kShortestEffect = 0.05f;
constexpr float kLongestEffect = 2.0f;

// "data\audio\" + group + "\" + name + ".wav".
std::string SoundPath(const SoundRecipe& recipe);
// A seed made of the text alone, so that a sound does not change when
// another one is added before it.
std::uint64_t SeedOf(const std::string& text);

// The recipe's samples. Throws std::runtime_error that names the recipe
// ("Sound recipe \"game\hammer\": ...") when it cannot be rendered, when a
// sample is no number, when it is silent or off centre, or when a one-shot's
// length lies outside the limits above.
std::vector<std::int16_t> RenderSound(const SoundRecipe& recipe);
// The recipe as a WAV file.
std::string BuildSoundFile(const SoundRecipe& recipe);

// Adds every effect of GameSoundRecipes to the set.
void GenerateSounds(DataSet& set);

} // namespace Tools
