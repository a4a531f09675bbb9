#include "tests/data/DataChecker.h"
#include "tests/support/TestEngine.h"
#include "tools/SoundWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr double kPi = 3.14159265358979323846;

// Whole periods of a sine: a loop of these meets its start without a jump.
std::vector<std::int16_t> Sine(std::size_t count, double period, double amplitude, double offset = 0.0)
{
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(std::lround(offset + amplitude * std::sin(2.0 * kPi * i / period)));
    return samples;
}

// Both channels alike, interleaved.
std::vector<std::int16_t> Stereo(const std::vector<std::int16_t>& mono)
{
    std::vector<std::int16_t> samples;
    for (const std::int16_t sample : mono)
        samples.insert(samples.end(), {sample, sample});
    return samples;
}

std::string Wav(const std::vector<std::int16_t>& samples, std::uint32_t rate = 22050, std::uint16_t bits = 16)
{
    return Tools::MakeWav(1, rate, bits, Tools::Pcm16(samples));
}

struct SoundCase {
    const char* name;
    std::string path;
    std::string bytes;
    const char* problem;
};

// The check must catch what a faulty recipe would ship.
TEST(SoundCheck, CatchesClippedSilentOffCentreMistimedAndClickingSounds)
{
    std::vector<std::int16_t> clipped = Sine(4410, 100, 20000);
    clipped[50] = 32767;
    // A quarter period short of whole: the seam jumps from the peak to zero.
    const std::vector<std::int16_t> clicking = Sine(4425, 100, 20000);
    const SoundCase cases[] = {
        {"clipped", "data\\audio\\game\\clipped.wav", Wav(clipped), "clipped"},
        {"silent", "data\\audio\\game\\silent.wav", Wav(Sine(4410, 100, 300)), "silent"},
        {"off centre", "data\\audio\\game\\offset.wav", Wav(Sine(4410, 100, 8000, 4000)), "DC offset"},
        {"too short", "data\\audio\\menu\\short.wav", Wav(Sine(400, 100, 20000)), "lasts"},
        {"too long", "data\\audio\\menu\\long.wav", Wav(Sine(22050 * 3, 100, 20000)), "lasts"},
        {"wrong rate", "data\\audio\\menu\\rate.wav", Wav(Sine(4410, 100, 20000), 44100), "44100 Hz"},
        {"8-bit", "data\\audio\\menu\\bits.wav", Tools::MakeWav(1, 22050, 8, std::string(4410, '\x80')), "not 16"},
        {"clicking loop", "data\\audio\\menu\\volume_slider.wav", Wav(clicking), "clicks"},
        {"short music", "data\\audio\\music\\menu.ogg", Tools::EncodeOgg(2, 44100, Stereo(Sine(22000, 100, 15000))),
         "too few to stream"},
    };
    Testing::TestEngine engine;
    Testing::DataChecker checker(engine.Get());
    for (const SoundCase& sound : cases) {
        SCOPED_TRACE(sound.name);
        engine.Folder().WriteFile(sound.path, sound.bytes);
        const std::vector<std::string> problems = checker.CheckFile(sound.path);
        EXPECT_THAT(problems, ::testing::Contains(HasSubstr(sound.problem)));
        EXPECT_THAT(problems, ::testing::Each(HasSubstr(sound.path)));
    }
}

TEST(SoundCheck, PassesASoundThatKeepsEveryRule)
{
    Testing::TestEngine engine;
    Testing::DataChecker checker(engine.Get());
    engine.Folder().WriteFile("data\\audio\\menu\\volume_slider.wav", Wav(Sine(4400, 100, 20000)));
    engine.Folder().WriteFile("data\\audio\\game\\hit.wav", Wav(Sine(2205, 50, 12000)));
    EXPECT_THAT(checker.CheckFile("data\\audio\\menu\\volume_slider.wav"), IsEmpty());
    EXPECT_THAT(checker.CheckFile("data\\audio\\game\\hit.wav"), IsEmpty());
}

} // namespace
