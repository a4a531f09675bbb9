#include "tools/data_builder/generators/sound/SoundGenerator.h"

#include "tools/SoundWriter.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/sound/SoundShaping.h"

#include <stdexcept>

namespace Tools {

namespace {

void CheckLength(const AudioBuffer& buffer, Playback playback)
{
    const float seconds = static_cast<float>(buffer.Frames()) / kEffectRate;
    if (playback == Playback::OneShot && (seconds < kShortestEffect || seconds > kLongestEffect))
        throw std::runtime_error("a length of " + std::to_string(seconds) + " s");
}

void CheckShaping(const SoundRecipe& recipe)
{
    if (!(recipe.peak > 0.0f && recipe.peak < 1.0f) || !(recipe.drive >= 0.0f && recipe.drive <= 10.0f))
        throw std::runtime_error("a peak of " + std::to_string(recipe.peak) + " or a drive of " +
                                 std::to_string(recipe.drive));
}

} // namespace

std::string SoundPath(const SoundRecipe& recipe)
{
    return "data\\audio\\" + recipe.group + "\\" + recipe.name + ".wav";
}

std::uint64_t SeedOf(const std::string& text)
{
    // FNV-1a.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash;
}

std::vector<std::int16_t> RenderSound(const SoundRecipe& recipe)
{
    const std::string label = recipe.group + "\\" + recipe.name;
    try {
        CheckShaping(recipe);
        AudioBuffer buffer = RenderPattern(recipe.pattern, {kEffectRate, 1, recipe.playback, SeedOf(label)});
        CheckSignal(buffer);
        CheckLength(buffer, recipe.playback);
        Normalize(buffer, 1.0f);
        SoftClip(buffer, recipe.drive);
        Normalize(buffer, recipe.peak);
        return ToPcm16(buffer);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("Sound recipe \"" + label + "\": " + error.what());
    }
}

std::string BuildSoundFile(const SoundRecipe& recipe)
{
    return MakeWav(1, kEffectRate, 16, Pcm16(RenderSound(recipe)));
}

void GenerateSounds(DataSet& set)
{
    for (const SoundRecipe& recipe : GameSoundRecipes())
        set.Add(SoundPath(recipe), BuildSoundFile(recipe));
}

} // namespace Tools
