#include "tools/data_builder/generators/sound/MusicGenerator.h"

#include "tools/SoundWriter.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/sound/SoundGenerator.h"

#include <cmath>
#include <stdexcept>

namespace Tools {

std::string MusicPath(const MusicRecipe& recipe) { return "data\\audio\\music\\" + recipe.name + ".ogg"; }

std::vector<std::int16_t> RenderMusic(const MusicRecipe& recipe)
{
    try {
        AudioBuffer buffer = RenderPattern(recipe.pattern, {kMusicRate, 2, Playback::Loop, SeedOf(recipe.name)});
        const auto stepFrames = static_cast<std::uint32_t>(std::lround(recipe.pattern.stepSeconds * kMusicRate));
        AddLoopEcho(buffer, {recipe.echoSteps * stepFrames, recipe.echoFeedback, recipe.echoRepeats});
        CheckSignal(buffer);
        if (buffer.samples.size() * 2 <= kStreamedBytes)
            throw std::runtime_error("a loop of " + std::to_string(buffer.samples.size() * 2) +
                                     " bytes is too short to be streamed");
        if (!(recipe.peak > 0.0f && recipe.peak < 1.0f))
            throw std::runtime_error("a peak of " + std::to_string(recipe.peak));
        Normalize(buffer, recipe.peak);
        return ToPcm16(buffer);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("Music track \"" + recipe.name + "\": " + error.what());
    }
}

void GenerateMusic(DataSet& set)
{
    for (const MusicRecipe& recipe : MusicRecipes())
        set.Add(MusicPath(recipe), EncodeOgg(2, kMusicRate, RenderMusic(recipe)));
}

} // namespace Tools
