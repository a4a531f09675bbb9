#pragma once

#include "tools/data_builder/generators/sound/Sequencer.h"

#include <string>
#include <vector>

namespace Tools {

// How one of the game's sound effects is made: a pattern of synthesiser
// notes, then a gentle saturation and the peak level it is stored at.
struct SoundRecipe {
    std::string group;
    std::string name;
    Pattern pattern;
    Playback playback = Playback::OneShot;
    float drive = 0.0f;
    float peak = 0.7f;
};

// Every effect the game registers, menu sounds first, in its own order.
std::vector<SoundRecipe> GameSoundRecipes();

} // namespace Tools
