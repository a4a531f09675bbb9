#include "tests/tools/ReadBack.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/sound/MusicGenerator.h"
#include "tools/data_builder/generators/sound/SoundGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

using namespace Tools;
using Testing::DecodedSound;
using Testing::ReadSound;
using ::testing::HasSubstr;

namespace {

// The names the game registers its sounds under, by group.
const std::vector<std::string> kMenuNames = {"button_select_0", "button_select_1", "button_click", "edit_box_print",
                                             "window_appear", "window_disappear", "volume_slider", "upgrade",
                                             "charge_score"};
const std::vector<std::string> kGameNames = {
    "level_begin", "level_complete", "level_failed", "hit_hard_brick", "hit_unbreakable_brick",
    "crash_simple_brick_0", "crash_simple_brick_1", "crash_simple_brick_2", "crash_hard_brick",
    "crash_unbreakable_brick", "crash_explosive_brick", "crash_ballkeeper", "ball_hit_bat", "ball_hit_field_simple",
    "ball_hit_field_super", "ball_hit_barrier", "ball_losed", "bonus_creation", "bonus_get", "arbalest_shot",
    "ballista_shot", "arbalest_hit_field", "ballista_hit_field", "bat_creation", "bat_destruction", "hammer"};
const std::vector<std::string> kLooping = {"volume_slider", "charge_score"};

DataSet Generate()
{
    DataSet set;
    GenerateSounds(set);
    GenerateMusic(set);
    return set;
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// The jump from the last sample to the first is no larger than the steps
// beside it: a loop without a click.
void ExpectSeamless(const std::vector<std::int16_t>& samples, std::uint32_t channels)
{
    const std::size_t frames = samples.size() / channels;
    for (std::uint32_t c = 0; c < channels; ++c) {
        const auto at = [&](std::size_t frame) { return samples[(frame % frames) * channels + c]; };
        int nearby = 0;
        for (std::size_t f = frames - 8; f < frames + 8; ++f)
            if (f != frames - 1)
                nearby = std::max(nearby, std::abs(at(f + 1) - at(f)));
        EXPECT_LE(std::abs(at(0) - at(frames - 1)), 2 * nearby + 64) << "channel " << c;
    }
}

SoundRecipe Probe()
{
    return {"game", "probe", {0.05f, {ToneSettings{.highPass = 50.0f, .envelope = {}}}, {{0, "x"}}}};
}

std::string RefusalOf(const SoundRecipe& recipe)
{
    try {
        RenderSound(recipe);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "accepted";
}

} // namespace

TEST(GameSounds, EveryRegisteredNameHasItsFileAndNothingElseIsMade)
{
    std::vector<std::string> expected;
    for (const std::string& name : kMenuNames)
        expected.push_back("data\\audio\\menu\\" + name + ".wav");
    for (const std::string& name : kGameNames)
        expected.push_back("data\\audio\\game\\" + name + ".wav");
    expected.push_back("data\\audio\\music\\menu.ogg");
    expected.push_back("data\\audio\\music\\game0.ogg");
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> made;
    const DataSet set = Generate();
    for (const auto& [path, bytes] : set.GetFiles())
        made.push_back(path);
    EXPECT_EQ(made, expected);
}

TEST(GameSounds, EveryEffectIsMonoSixteenBitNeverClippedAudibleAndOfItsLength)
{
    for (const SoundRecipe& recipe : GameSoundRecipes()) {
        SCOPED_TRACE(recipe.name);
        const DecodedSound sound = ReadSound("effect.wav", BuildSoundFile(recipe));
        EXPECT_EQ(sound.channels, 1u);
        EXPECT_EQ(sound.rate, 22050u);
        EXPECT_EQ(sound.bits, 16u);
        const auto [low, high] = std::minmax_element(sound.samples.begin(), sound.samples.end());
        EXPECT_GT(*low, -32767);
        EXPECT_LT(*high, 32767);
        EXPECT_GT(std::max(-*low, static_cast<int>(*high)), 8000);
        const float seconds = static_cast<float>(sound.samples.size()) / 22050.0f;
        const bool loops = std::find(kLooping.begin(), kLooping.end(), recipe.name) != kLooping.end();
        EXPECT_EQ(recipe.playback == Playback::Loop, loops);
        if (loops)
            ExpectSeamless(sound.samples, 1);
        else
            EXPECT_TRUE(seconds >= 0.05f && seconds <= 2.0f) << seconds << " s";
    }
}

TEST(GameSounds, MusicIsStereoLoopsCleanlyAndIsLongEnoughToBeStreamed)
{
    const DataSet set = Generate();
    for (const MusicRecipe& recipe : MusicRecipes()) {
        SCOPED_TRACE(recipe.name);
        const std::vector<std::int16_t> loop = RenderMusic(recipe);
        // What the encoder is given is seamless; the decoder's output differs
        // from it by the codec's loss alone, no more at the ends than inside.
        ExpectSeamless(loop, 2);
        const DecodedSound music = ReadSound("music.ogg", Text(set.Get(MusicPath(recipe))));
        EXPECT_EQ(music.channels, 2u);
        EXPECT_EQ(music.rate, 44100u);
        EXPECT_GT(music.samples.size() * 2, 1048576u);
        ASSERT_EQ(music.samples.size(), loop.size());
        int start = 0;
        int end = 0;
        for (std::size_t i = 0; i < 512; ++i) {
            start = std::max(start, std::abs(music.samples[i] - loop[i]));
            end = std::max(end, std::abs(music.samples[loop.size() - 1 - i] - loop[loop.size() - 1 - i]));
        }
        EXPECT_LT(std::max(start, end), 1500);
    }
}

TEST(GameSounds, TwoRunsMakeTheSameBytes)
{
    EXPECT_EQ(Generate().GetFiles(), Generate().GetFiles());
}

TEST(GameSounds, BadRecipesAreRefusedNamingThem)
{
    struct Case {
        const char* what;
        void (*spoil)(SoundRecipe&);
        const char* message;
    };
    const std::vector<Case> cases = {
        {"not a number", [](SoundRecipe& r) { r.pattern.instruments[0].gain = NAN; }, "no number"},
        {"an offset", [](SoundRecipe& r) {
             r.pattern.instruments[0] = {.wave = Waveform::Square, .pulseWidth = 0.1f, .envelope = {}, .baseNote = 40};
         }, "offset"},
        {"silence", [](SoundRecipe& r) { r.pattern.instruments[0].gain = 0.0f; }, "silent"},
        {"too long", [](SoundRecipe& r) { r.pattern.tracks[0].steps = "x - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -"; }, "length"},
        {"too short", [](SoundRecipe& r) { r.pattern.stepSeconds = 0.01f; r.pattern.instruments[0].envelope.release = 0.01f; }, "length"},
        {"an unknown step", [](SoundRecipe& r) { r.pattern.tracks[0].steps = "x H4"; }, "\"H4\""},
        {"a loop that does not divide", [](SoundRecipe& r) {
             r.playback = Playback::Loop;
             r.pattern.tracks = {{0, "x . ."}, {0, "x ."}};
         }, "divide"},
        {"a clipping peak", [](SoundRecipe& r) { r.peak = 1.5f; }, "peak"},
    };
    EXPECT_EQ(RefusalOf(Probe()), "accepted");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SoundRecipe recipe = Probe();
        c.spoil(recipe);
        const std::string refusal = RefusalOf(recipe);
        EXPECT_THAT(refusal, HasSubstr("Sound recipe \"game\\probe\": "));
        EXPECT_THAT(refusal, HasSubstr(c.message));
    }
}

TEST(GameSounds, LoopedNotesWrapRoundAndShortTracksRepeat)
{
    ToneSettings tick{.envelope = {0.001f, 0.0f, 1.0f, 0.0f}};
    tick.baseNote = 81;
    // The held note of the last step sounds past the end and wraps to the start.
    const AudioBuffer wrapped = RenderPattern({0.01f, {tick}, {{0, ". . x -"}}}, {1000, 1, Playback::Loop, 1});
    ASSERT_EQ(wrapped.Frames(), 40u);
    EXPECT_NE(wrapped.samples[25], 0.0f);
    EXPECT_EQ(wrapped.samples[5], 0.0f);
    const AudioBuffer repeated =
        RenderPattern({0.01f, {tick}, {{0, "x . . ."}, {0, ". x"}}}, {1000, 1, Playback::Loop, 1});
    EXPECT_NE(repeated.samples[35], 0.0f);
    EXPECT_EQ(repeated.samples[25], 0.0f);
    EXPECT_EQ(ParseNoteName("A4"), 69);
    EXPECT_EQ(ParseNoteName("C#5"), 73);
    EXPECT_EQ(ParseNoteName("Bb3"), 58);
}
