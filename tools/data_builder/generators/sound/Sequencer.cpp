#include "tools/data_builder/generators/sound/Sequencer.h"

#include "tools/data_builder/generators/Random.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace Tools {

namespace {

std::vector<std::string> SplitSteps(const std::string& steps)
{
    std::istringstream in(steps);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;)
        tokens.push_back(token);
    return tokens;
}

// Left and right gains of equal power.
void PanGains(float pan, float& left, float& right)
{
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * 0.25 * 3.14159265358979323846;
    left = static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    right = static_cast<float>(std::sin(angle) * std::sqrt(2.0));
}

struct Layout {
    std::uint32_t stepFrames = 0;
    std::uint32_t loopSteps = 0;
    std::vector<StepNote> notes;
};

Layout LayOut(const Pattern& pattern, const RenderFormat& format)
{
    if (!(pattern.stepSeconds > 0.0f) || !std::isfinite(pattern.stepSeconds))
        throw std::runtime_error("step length " + std::to_string(pattern.stepSeconds) + " is no positive number");
    Layout layout;
    layout.stepFrames = static_cast<std::uint32_t>(std::lround(pattern.stepSeconds * format.rate));
    std::vector<std::vector<StepNote>> tracks;
    std::vector<std::uint32_t> lengths(pattern.tracks.size());
    for (std::size_t t = 0; t < pattern.tracks.size(); ++t) {
        const Track& track = pattern.tracks[t];
        if (track.instrument >= pattern.instruments.size())
            throw std::runtime_error("track of unknown instrument " + std::to_string(track.instrument));
        tracks.push_back(ParseTrack(track, pattern.instruments[track.instrument], lengths[t]));
        layout.loopSteps = std::max(layout.loopSteps, lengths[t]);
    }
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        std::uint32_t repeats = 1;
        if (format.playback == Playback::Loop) {
            if (lengths[t] == 0 || layout.loopSteps % lengths[t] != 0)
                throw std::runtime_error("a track of " + std::to_string(lengths[t]) +
                                         " steps does not divide the loop of " + std::to_string(layout.loopSteps));
            repeats = layout.loopSteps / lengths[t];
        }
        for (std::uint32_t r = 0; r < repeats; ++r)
            for (StepNote note : tracks[t]) {
                note.step += r * lengths[t];
                layout.notes.push_back(note);
            }
    }
    if (layout.notes.empty() || layout.stepFrames == 0)
        throw std::runtime_error("a pattern without notes");
    return layout;
}

} // namespace

int ParseNoteName(const std::string& token)
{
    static constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};
    std::size_t at = 0;
    if (token.empty() || token[0] < 'A' || token[0] > 'G')
        throw std::runtime_error("no note: \"" + token + "\"");
    int semitone = kSemitones[token[at++] - 'A'];
    if (at < token.size() && (token[at] == '#' || token[at] == 'b'))
        semitone += token[at++] == '#' ? 1 : -1;
    if (at + 1 != token.size() || token[at] < '0' || token[at] > '8')
        throw std::runtime_error("no note: \"" + token + "\"");
    return (token[at] - '0' + 1) * 12 + semitone;
}

std::vector<StepNote> ParseTrack(const Track& track, const ToneSettings& instrument, std::uint32_t& stepCount)
{
    const std::vector<std::string> tokens = SplitSteps(track.steps);
    std::vector<StepNote> notes;
    bool holding = false;
    for (std::uint32_t step = 0; step < tokens.size(); ++step) {
        const std::string& token = tokens[step];
        if (token == "-" && holding) {
            ++notes.back().lengthSteps;
            continue;
        }
        holding = token != "." && token != "-";
        if (holding)
            notes.push_back({step, 1, token == "x" ? instrument.baseNote : ParseNoteName(token), track.instrument,
                             track.velocity});
    }
    stepCount = static_cast<std::uint32_t>(tokens.size());
    return notes;
}

AudioBuffer RenderPattern(const Pattern& pattern, const RenderFormat& format)
{
    const Layout layout = LayOut(pattern, format);
    Random random(format.seed);
    std::vector<std::vector<float>> voices;
    std::size_t frames = static_cast<std::size_t>(layout.loopSteps) * layout.stepFrames;
    std::vector<std::size_t> starts;
    for (const StepNote& note : layout.notes) {
        const float gate = static_cast<float>(note.lengthSteps * layout.stepFrames) / format.rate;
        voices.push_back(RenderTone(pattern.instruments[note.instrument], note.note, gate, format.rate, random));
        starts.push_back(static_cast<std::size_t>(note.step) * layout.stepFrames);
        if (format.playback == Playback::OneShot)
            frames = std::max(frames, starts.back() + voices.back().size());
    }
    AudioBuffer buffer{format.channels, std::vector<float>(frames * format.channels)};
    for (std::size_t v = 0; v < voices.size(); ++v) {
        float gains[2] = {1.0f, 1.0f};
        if (format.channels == 2)
            PanGains(pattern.instruments[layout.notes[v].instrument].pan, gains[0], gains[1]);
        const float velocity = layout.notes[v].velocity;
        for (std::size_t i = 0; i < voices[v].size(); ++i) {
            const std::size_t frame = (starts[v] + i) % frames;
            for (std::uint32_t c = 0; c < format.channels; ++c)
                buffer.samples[frame * format.channels + c] += voices[v][i] * velocity * gains[c % 2];
        }
    }
    return buffer;
}

} // namespace Tools
