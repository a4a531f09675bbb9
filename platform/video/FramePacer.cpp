#include "platform/video/FramePacer.h"

#include <thread>
#include <utility>

namespace Platform {

FramePacer::FramePacer()
    : FramePacer([] { return Clock::now(); }, [](Clock::duration wait) { std::this_thread::sleep_for(wait); })
{
}

FramePacer::FramePacer(Now now, Sleep sleep) : now_(std::move(now)), sleep_(std::move(sleep)) {}

// The next period starts where this one was due to end, so that a sleep
// that overran is made up by the next frame; a frame that overran by more
// than that starts the count afresh.
void FramePacer::AfterSwap(Clock::duration period)
{
    const Clock::time_point now = now_();
    if (!paced_ || now - last_ >= period) {
        last_ = paced_ && now - last_ < 2 * period ? last_ + period : now;
        paced_ = true;
        return;
    }
    sleep_(period - (now - last_));
    last_ += period;
}

} // namespace Platform
