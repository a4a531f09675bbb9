#include "tests/data/SoundCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace Testing {

namespace {

using Halvard::u32;
using Halvard::u8;

// The sound manager streams a sound that decodes to more than this.
constexpr u32 kStreamedSize = 1048576;
constexpr int kFullScale = 32767;
// About -30 dB below full scale.
constexpr int kQuietestPeak = 1000;
constexpr double kLargestOffset = 0.02 * kFullScale;

struct Rules {
    u32 channels = 0;
    u32 sampleRate = 0;
    double shortest = 0.0;
    double longest = 0.0;
    bool loops = false;
};

bool IsLoop(const std::string& path)
{
    return path.find("data\\audio\\music\\") == 0 || path == "data\\audio\\menu\\volume_slider.wav" ||
           path == "data\\audio\\menu\\charge_score.wav";
}

Rules RulesFor(const std::string& path)
{
    if (path.find("data\\audio\\music\\") == 0)
        return {2, 44100, 0.0, 600.0, true};
    const bool effect = path.find("data\\audio\\menu\\") == 0 || path.find("data\\audio\\game\\") == 0;
    if (effect && IsLoop(path))
        return {1, 22050, 0.05, 10.0, true};
    if (effect)
        return {1, 22050, 0.05, 2.0, false};
    return {0, 0, 0.0, 600.0, false};
}

std::vector<std::int16_t> ReadSamples(Halvard::SoundFileReader& reader)
{
    std::vector<u8> bytes;
    std::vector<u8> block(65536);
    bool end = false;
    while (!end) {
        u32 read = 0;
        reader.Read(block.data(), static_cast<u32>(block.size()), read, end);
        bytes.insert(bytes.end(), block.begin(), block.begin() + read);
        if (read == 0)
            break;
    }
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

// The seam jump against the largest step inside the sound, per channel.
bool ClicksAtSeam(const std::vector<std::int16_t>& samples, u32 channels)
{
    for (u32 channel = 0; channel < channels; ++channel) {
        int largestStep = 1;
        for (std::size_t i = channel + channels; i < samples.size(); i += channels)
            largestStep = std::max(largestStep, std::abs(samples[i] - samples[i - channels]));
        const std::size_t last = samples.size() - channels + channel;
        if (std::abs(samples[channel] - samples[last]) > largestStep)
            return true;
    }
    return false;
}

void CheckLevels(const std::vector<std::int16_t>& samples, const std::string& path, std::vector<std::string>& problems)
{
    int peak = 0;
    double sum = 0.0;
    for (const std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
        sum += sample;
    }
    if (peak >= kFullScale)
        problems.push_back(path + ": clipped, a sample reaches full scale");
    if (peak < kQuietestPeak)
        problems.push_back(path + ": silent, its peak is " + std::to_string(peak));
    const double offset = sum / static_cast<double>(samples.size());
    if (std::abs(offset) > kLargestOffset)
        problems.push_back(path + ": a DC offset of " + std::to_string(offset));
}

} // namespace

std::vector<std::string> CheckSoundQuality(Halvard::SoundFileReader& reader, const std::string& path)
{
    std::vector<std::string> problems;
    const Rules rules = RulesFor(path);
    if (reader.GetBitsPerSample() != 16)
        return {path + ": " + std::to_string(reader.GetBitsPerSample()) + " bits per sample, not 16"};
    if (rules.channels != 0 && reader.GetChannels() != rules.channels)
        problems.push_back(path + ": " + std::to_string(reader.GetChannels()) + " channels");
    if (rules.sampleRate != 0 && reader.GetSampleRate() != rules.sampleRate)
        problems.push_back(path + ": " + std::to_string(reader.GetSampleRate()) + " Hz");
    const std::vector<std::int16_t> samples = ReadSamples(reader);
    const u32 channels = std::max<u32>(reader.GetChannels(), 1);
    if (samples.size() < channels)
        return {path + ": no samples"};
    const double seconds = static_cast<double>(samples.size() / channels) / std::max<u32>(reader.GetSampleRate(), 1);
    if (seconds < rules.shortest || seconds > rules.longest)
        problems.push_back(path + ": lasts " + std::to_string(seconds) + " s");
    if (path.find("data\\audio\\music\\") == 0 && samples.size() * 2 <= kStreamedSize)
        problems.push_back(path + ": decodes to " + std::to_string(samples.size() * 2) + " bytes, too few to stream");
    CheckLevels(samples, path, problems);
    if (rules.loops && ClicksAtSeam(samples, channels))
        problems.push_back(path + ": clicks where the loop's end meets its start");
    return problems;
}

} // namespace Testing
