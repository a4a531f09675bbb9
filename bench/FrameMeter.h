#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace Halvard {
class Engine;
}

namespace Bench {

// Frames timed as a player's machine spends them: the frame with its present,
// then a wait until GL has drawn it all. Beside each frame an empty one
// (clear, present, wait) of the same engine is timed, so that both figures
// see the same load of the machine. The GL calls and draws of the measured
// frames are counted as well.
class FrameMeter {
public:
    // Switches the engine's vertical sync off: on a display that keeps it,
    // every frame would take the refresh period whatever it draws.
    explicit FrameMeter(Halvard::Engine& engine);

    // Runs and times one frame, then one empty frame.
    void Measure(const std::function<void()>& frame);
    // Times one frame run by the caller from now on; Stop() ends it. For
    // frames whose work is not one call.
    void Start();
    void Stop();
    void Clear();

    // p50_us, p99_us and max_us of the frames, the same of the empty frames,
    // the ratios of the frames' percentiles to the empty ones', and the GL
    // calls and draws per frame.
    void Report(benchmark::State& state) const;
    double LastFrameSeconds() const { return frames_.back() / 1e6; }

private:
    void MeasureEmptyFrame();

    Halvard::Engine& engine_;
    std::vector<double> frames_;
    std::vector<double> emptyFrames_;
    uint64_t calls_ = 0;
    uint64_t draws_ = 0;
    double started_ = 0.0;
    uint64_t callsAtStart_ = 0;
    uint64_t drawsAtStart_ = 0;
};

} // namespace Bench
