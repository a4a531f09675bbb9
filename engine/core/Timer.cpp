#include "engine/core/Timer.h"

#include "platform/os/Clock.h"

namespace Halvard {

namespace {

i64 CounterFrequencyFor(bool usePerformanceCounter)
{
    return usePerformanceCounter ? Platform::GetClock().CounterFrequency() : 0;
}

} // namespace

Timer::Timer(float startSeconds, bool usePerformanceCounter)
    : counterFrequency_(CounterFrequencyFor(usePerformanceCounter))
{
    // A counter without a frequency cannot be turned into seconds.
    usePerformanceCounter_ = counterFrequency_ > 0;
    SetTime(startSeconds);
}

float Timer::GetTime() const
{
    Platform::Clock& clock = Platform::GetClock();
    if (usePerformanceCounter_) {
        const i64 now = paused_ ? pauseCount_ : clock.Counter();
        return static_cast<float>(static_cast<double>(now - startCount_)
                                  / static_cast<double>(counterFrequency_));
    }
    const u32 now = paused_ ? pauseMilliseconds_ : clock.Milliseconds();
    // Unsigned subtraction keeps the span right across the counter's wrap.
    const u32 elapsed = now - startMilliseconds_;
    return static_cast<float>(elapsed) * 0.001f;
}

void Timer::Pause(bool pause)
{
    if (pause == paused_) {
        return;
    }
    paused_ = pause;
    Platform::Clock& clock = Platform::GetClock();
    if (usePerformanceCounter_) {
        if (pause) {
            pauseCount_ = clock.Counter();
        } else {
            startCount_ += clock.Counter() - pauseCount_;
        }
        return;
    }
    if (pause) {
        pauseMilliseconds_ = clock.Milliseconds();
    } else {
        startMilliseconds_ += clock.Milliseconds() - pauseMilliseconds_;
    }
}

void Timer::SetTime(float seconds)
{
    Platform::Clock& clock = Platform::GetClock();
    if (usePerformanceCounter_) {
        const auto span = static_cast<i64>(static_cast<double>(counterFrequency_) * seconds);
        startCount_ = clock.Counter() - span;
    } else {
        const auto span = static_cast<i64>(seconds * 1000.0f);
        startMilliseconds_ = clock.Milliseconds() - static_cast<u32>(span);
    }
    paused_ = false;
}

} // namespace Halvard
