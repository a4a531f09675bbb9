#pragma once

#include "tools/data_builder/generators/sound/SoundShaping.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The music is stored as Ogg Vorbis, stereo at this rate.
constexpr std::uint32_t kMusicRate = 44100;
// The engine streams a sound whose decoded bytes exceed this; a music track
// must be longer.
constexpr std::uint32_t kStreamedBytes = 1048576;

// One looping track: a pattern whose length is the loop, and an echo whose
// delay counts steps.
struct MusicRecipe {
    std::string name;
    Pattern pattern;
    std::uint32_t echoSteps = 0;
    float echoFeedback = 0.0f;
    std::uint32_t echoRepeats = 0;
    float peak = 0.8f;
};

// The menu track, then the one played during a level.
std::vector<MusicRecipe> MusicRecipes();

// "data\audio\music\" + name + ".ogg".
std::string MusicPath(const MusicRecipe& recipe);
// The loop's interleaved 16-bit samples. Throws std::runtime_error naming
// the track ("Music track \"menu\": ...") as RenderSound does, and for a loop
// too short to be streamed.
std::vector<std::int16_t> RenderMusic(const MusicRecipe& recipe);

// Adds every track of MusicRecipes to the set.
void GenerateMusic(DataSet& set);

} // namespace Tools
