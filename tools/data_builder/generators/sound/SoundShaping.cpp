#include "tools/data_builder/generators/sound/SoundShaping.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace Tools {

void AddLoopEcho(AudioBuffer& buffer, const Echo& echo)
{
    const std::size_t frames = buffer.Frames();
    if (frames == 0 || echo.repeats == 0)
        return;
    const AudioBuffer dry = buffer;
    float gain = 1.0f;
    for (std::uint32_t r = 1; r <= echo.repeats; ++r) {
        gain *= echo.feedback;
        const std::size_t shift = static_cast<std::size_t>(r) * echo.delayFrames % frames;
        const bool swap = buffer.channels == 2 && r % 2 == 1;
        for (std::size_t f = 0; f < frames; ++f)
            for (std::uint32_t c = 0; c < buffer.channels; ++c) {
                const std::uint32_t from = swap ? 1 - c : c;
                buffer.samples[((f + shift) % frames) * buffer.channels + c] += gain * dry.samples[f * dry.channels + from];
            }
    }
}

void CheckSignal(const AudioBuffer& buffer)
{
    double sum = 0.0;
    for (const float sample : buffer.samples) {
        if (!std::isfinite(sample))
            throw std::runtime_error("a sample is no number");
        sum += sample;
    }
    const float peak = Peak(buffer);
    if (buffer.samples.empty() || peak < kSilentPeak)
        throw std::runtime_error("the sound is silent");
    const double mean = sum / static_cast<double>(buffer.samples.size());
    if (std::abs(mean) > kMaxOffset * peak)
        throw std::runtime_error("an offset of " + std::to_string(mean / peak) + " of the peak");
}

float Peak(const AudioBuffer& buffer)
{
    float peak = 0.0f;
    for (const float sample : buffer.samples)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

void SoftClip(AudioBuffer& buffer, float drive)
{
    if (drive <= 0.0f)
        return;
    const float scale = 1.0f / std::tanh(drive);
    for (float& sample : buffer.samples)
        sample = std::tanh(drive * sample) * scale;
}

void Normalize(AudioBuffer& buffer, float peak)
{
    const float loudest = Peak(buffer);
    if (loudest <= 0.0f)
        return;
    for (float& sample : buffer.samples)
        sample *= peak / loudest;
}

std::vector<std::int16_t> ToPcm16(const AudioBuffer& buffer)
{
    std::vector<std::int16_t> pcm(buffer.samples.size());
    std::transform(buffer.samples.begin(), buffer.samples.end(), pcm.begin(), [](float sample) {
        return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
    });
    return pcm;
}

} // namespace Tools
