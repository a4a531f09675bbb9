#pragma once

#include <vector>

#include "engine/core/Timer.h"
#include "engine/core/Types.h"

namespace Halvard {

// Hands out timers and turns its main timer into the frame time once a frame.
// While it lives it keeps the system's timer resolution raised. Main thread
// only.
class TimerManager {
public:
    TimerManager();
    virtual ~TimerManager();

    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // The manager owns the timer; its user keeps a plain pointer and hands it
    // back to DeleteTimer, or leaves it to the manager's destructor.
    Timer* CreateTimer(float startSeconds, bool usePerformanceCounter);

    // Deletes a timer this manager made and frees its slot for the next
    // CreateTimer. Null, a timer from elsewhere and the main timer, which
    // the manager itself needs until it goes, are left alone.
    void DeleteTimer(Timer* timer);

    // The per-frame step: measures the frame time and counts frames per
    // second. Allocates nothing.
    void Update();

    // Seconds the last frame took, held within 0.001 ... 0.1 so that a stall
    // does not throw animations far ahead and a zero span never divides.
    float GetFrameTime() const { return frameTime_; }
    // Frames counted in the last completed second.
    u32 GetFramesPerSecond() const { return framesPerSecond_; }
    Timer* GetMainTimer() const { return mainTimer_; }

    // The slot table: a freed slot holds null until CreateTimer reuses it.
    const std::vector<Timer*>& GetSlots() const { return slots_; }

private:
    void ReleaseTimer(std::vector<u32>::iterator used);

    u32 timerPeriod_;
    // Freed slot indices, the last freed on top.
    std::vector<u32> freeIndices_;
    // Indices of slots holding a live timer, in the order they were handed out.
    std::vector<u32> usedIndices_;
    std::vector<Timer*> slots_;
    Timer* mainTimer_ = nullptr;
    float previousReading_ = 0.0f;
    float frameTime_ = 0.0f;
    u32 framesPerSecond_ = 0;
    u32 frameCount_ = 0;
    float accumulatedSeconds_ = 0.0f;
};

} // namespace Halvard
