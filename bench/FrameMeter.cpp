#include "bench/FrameMeter.h"

#include "bench/Percentile.h"
#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "tests/support/gl/GLCallCounter.h"

#include <chrono>

namespace Bench {

namespace {

double NowMicroseconds()
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

FrameMeter::FrameMeter(Halvard::Engine& engine) : engine_(engine)
{
    engine_.GetConfig()->verticalSync = 0;
}

void FrameMeter::Measure(const std::function<void()>& frame)
{
    Start();
    frame();
    Stop();
}

void FrameMeter::Start()
{
    const Testing::GLCallCount count = Testing::CountedGLCalls();
    callsAtStart_ = count.calls;
    drawsAtStart_ = count.draws;
    started_ = NowMicroseconds();
}

void FrameMeter::Stop()
{
    Testing::FinishGL();
    frames_.push_back(NowMicroseconds() - started_);
    const Testing::GLCallCount count = Testing::CountedGLCalls();
    calls_ += count.calls - callsAtStart_;
    draws_ += count.draws - drawsAtStart_;
    MeasureEmptyFrame();
}

// What every frame costs whatever it draws: the clear of the scene's start,
// the present and the wait.
void FrameMeter::MeasureEmptyFrame()
{
    const double start = NowMicroseconds();
    Halvard::RenderSystem* render = engine_.GetRenderSystem();
    render->BeginScene();
    render->EndScene();
    engine_.GetModelManager()->SwapBuffers();
    Testing::FinishGL();
    emptyFrames_.push_back(NowMicroseconds() - start);
}

void FrameMeter::Clear()
{
    frames_.clear();
    emptyFrames_.clear();
    calls_ = 0;
    draws_ = 0;
}

void FrameMeter::Report(benchmark::State& state) const
{
    if (frames_.empty())
        return;
    const double frames = static_cast<double>(frames_.size());
    const double p50 = Percentile(frames_, 0.5);
    const double p99 = Percentile(frames_, 0.99);
    const double emptyP50 = Percentile(emptyFrames_, 0.5);
    state.counters["p50_us"] = p50;
    state.counters["p99_us"] = p99;
    state.counters["max_us"] = Percentile(frames_, 1.0);
    state.counters["empty_p50_us"] = emptyP50;
    state.counters["empty_p99_us"] = Percentile(emptyFrames_, 0.99);
    state.counters["p50_per_empty"] = p50 / emptyP50;
    state.counters["p99_per_empty"] = p99 / emptyP50;
    state.counters["gl_calls"] = static_cast<double>(calls_) / frames;
    state.counters["draws"] = static_cast<double>(draws_) / frames;
}

} // namespace Bench
