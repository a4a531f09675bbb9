#include "engine/core/TimerManager.h"

#include <algorithm>

#include "platform/os/Clock.h"

namespace Halvard {

namespace {

constexpr float minimumFrameTime = 0.001f;
constexpr float maximumFrameTime = 0.1f;

} // namespace

TimerManager::TimerManager()
    : timerPeriod_(Platform::GetClock().RaiseResolution())
{
    // The millisecond counter is only fine enough for frame times once its
    // resolution has been raised; without that the main timer needs the
    // high-resolution counter.
    mainTimer_ = CreateTimer(0.0f, timerPeriod_ == 0);
}

TimerManager::~TimerManager()
{
    // The main timer was handed out first, so it goes first; then whatever
    // its users left behind.
    for (u32 index : usedIndices_) {
        delete slots_[index];
    }
    if (timerPeriod_ != 0) {
        Platform::GetClock().RestoreResolution(timerPeriod_);
    }
}

Timer* TimerManager::CreateTimer(float startSeconds, bool usePerformanceCounter)
{
    auto* timer = new Timer(startSeconds, usePerformanceCounter);
    u32 index = static_cast<u32>(slots_.size());
    if (!freeIndices_.empty()) {
        index = freeIndices_.back();
        freeIndices_.pop_back();
    }
    usedIndices_.push_back(index);
    if (index == slots_.size()) {
        slots_.push_back(timer);
    } else {
        slots_[index] = timer;
    }
    return timer;
}

void TimerManager::DeleteTimer(Timer* timer)
{
    if (timer == nullptr || timer == mainTimer_) {
        return;
    }
    const auto used = std::find_if(usedIndices_.begin(), usedIndices_.end(),
                                   [&](u32 index) { return slots_[index] == timer; });
    if (used != usedIndices_.end()) {
        ReleaseTimer(used);
    }
}

void TimerManager::ReleaseTimer(std::vector<u32>::iterator used)
{
    const u32 index = *used;
    delete slots_[index];
    slots_[index] = nullptr;
    freeIndices_.push_back(index);
    usedIndices_.erase(used);
}

void TimerManager::Update()
{
    frameTime_ = mainTimer_->GetTime() - previousReading_;
    previousReading_ = mainTimer_->GetTime();

    // Frames are counted from the real span: a stall still fills its second.
    accumulatedSeconds_ += frameTime_;
    ++frameCount_;
    if (accumulatedSeconds_ >= 1.0f) {
        accumulatedSeconds_ -= 1.0f;
        framesPerSecond_ = frameCount_;
        frameCount_ = 0;
    }

    frameTime_ = std::clamp(frameTime_, minimumFrameTime, maximumFrameTime);
}

} // namespace Halvard
