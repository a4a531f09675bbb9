#include "engine/render/AnimationControl.h"

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Halvard {

namespace {

constexpr float kTolerance = 0.0001f;
constexpr u32 kMostLoops = std::numeric_limits<u32>::max();

u32 Span(const AnimationControl::Range& range)
{
    return range.last >= range.first ? range.last - range.first : range.first - range.last;
}

// The count with the passes added; past 2^32 - 1 it stays there rather than
// wrapping round to a count below the loop limit.
u32 AddPasses(u32 done, double passes)
{
    return passes >= static_cast<double>(kMostLoops - done) ? kMostLoops : done + static_cast<u32>(passes);
}

} // namespace

float AnimationControl::CheckSpeed(float speed, const std::string& error)
{
    if (!std::isfinite(speed))
        throw FileError(error);
    return speed;
}

AnimationControl::AnimationControl(MessageManager* messages, TimerManager* timers, u32 mode, u32 frameCount)
    : messages_(messages), timers_(timers), mode_(mode), frameCount_(frameCount)
{
    AddAnimation(-1, 0, frameCount == 0 ? 0 : frameCount - 1);
    SetAnimation(-1);
}

AnimationControl::AnimationControl(const AnimationControl& other)
    : messages_(other.messages_), timers_(other.timers_), mode_(other.mode_), frameCount_(other.frameCount_),
      ranges_(other.ranges_)
{
    CopyState(other);
}

void AnimationControl::AddAnimation(i32 id, u32 first, u32 last) { ranges_.insert({id, Range{first, last}}); }

void AnimationControl::SetAnimation(i32 id)
{
    currentId_ = id;
    time = 0.0f;
    held_ = 0;
}

void AnimationControl::Play()
{
    playing = 1;
    held_ = 0;
    loopsDone = 0;
    countdown = RandomFloat(minimumDelay, maximumDelay);
}

void AnimationControl::Stop()
{
    playing = 0;
    time = 0.0f;
}

void AnimationControl::CopyState(const AnimationControl& other)
{
    speed = other.speed;
    time = other.time;
    looping = other.looping;
    loopLimit = other.loopLimit;
    loopsDone = other.loopsDone;
    minimumDelay = other.minimumDelay;
    maximumDelay = other.maximumDelay;
    countdown = other.countdown;
    interpolate = other.interpolate;
    playing = other.playing;
    frameA_ = other.frameA_;
    frameB_ = other.frameB_;
    blend_ = other.blend_;
    currentId_ = other.currentId_;
    held_ = other.held_;
}

AnimationControl::Range& AnimationControl::CurrentRange()
{
    return ranges_.insert({currentId_, Range{0, 0}}).first->second;
}

void AnimationControl::SetLastFrame() { time = static_cast<float>(Span(CurrentRange())); }

void AnimationControl::SetRandomFrame()
{
    const float sign = RandomSigned();
    const float delay = RandomFloat(minimumDelay, maximumDelay) * sign;
    countdown = delay < 0.0f ? 0.0f : delay;
    time = countdown < kTolerance ? RandomFloat(0.0f, static_cast<float>(Span(CurrentRange()))) : 0.0f;
}

void AnimationControl::HoldListFrame(u32 frame)
{
    frameA_ = frameCount_ == 0 ? 0 : std::min(frame, frameCount_ - 1);
    frameB_ = frameA_;
    blend_ = 0.0f;
    time = static_cast<float>(frameA_);
    playing = 0;
    held_ = 1;
}

u32 AnimationControl::GetRangeFrameCount() const
{
    const auto found = ranges_.find(currentId_);
    return found == ranges_.end() ? 1 : Span(found->second) + 1;
}

void AnimationControl::HoldFrame(u32 frame)
{
    const Range range = CurrentRange();
    frame = std::min(frame, Span(range));
    const u32 shown = range.last >= range.first ? range.first + frame : range.first - frame;
    frameA_ = shown < frameCount_ ? shown : 0;
    frameB_ = frameA_;
    blend_ = 0.0f;
    time = static_cast<float>(frame);
    playing = 0;
    held_ = 1;
}

void AnimationControl::Update()
{
    if (held_ != 0)
        return;
    const Range range = CurrentRange();
    const u32 lowest = std::min(range.first, range.last);
    u32 span = Span(range) + 1;
    const bool reversed = range.last < range.first;
    const bool continuous =
        looping && maximumDelay < kTolerance && (loopLimit == 0 || u64{loopsDone} + 1 < loopLimit);
    if (mode_ == 1 && continuous)
        ++span;

    const float frameTime = timers_->GetFrameTime();
    countdown -= frameTime;
    if (playing && speed > kTolerance && (!looping || countdown < kTolerance))
        time += speed * frameTime;

    Advance(span, continuous);
    SetFrames(span, reversed, lowest);
}

void AnimationControl::Advance(u32 span, bool continuous)
{
    const float lastFrame = static_cast<float>(span - 1);
    if (continuous) {
        // A range of one frame has nothing to wrap through: it stays on it.
        if (span <= 1) {
            time = 0.0f;
            return;
        }
        Wrap(lastFrame);
        return;
    }
    if (std::trunc(time) < lastFrame)
        return;
    time = lastFrame;
    if (!looping) {
        playing = 0;
        return;
    }
    if (countdown < kTolerance)
        countdown = RandomFloat(minimumDelay, maximumDelay);
    if (loopLimit != 0 && u64{loopsDone} + 1 >= loopLimit)
        playing = 0;
}

// Takes every whole span the time has passed off at once and counts each as
// a loop, so that a frame costs the same at any speed. Below 2^24 this is
// exactly what taking one span off at a time gave: there each subtraction
// was exact, as the remainder (fmod) always is. Beyond, the spans are still
// counted, each one; only a count past 2^32 - 1 stays at 2^32 - 1. A time
// that is not a number, or is minus infinity, starts the range over; plus
// infinity has passed more spans than the count holds.
void AnimationControl::Wrap(float lastFrame)
{
    if (!(time >= lastFrame)) {
        if (!std::isfinite(time))
            time = 0.0f;
        return;
    }
    if (std::isinf(time)) {
        loopsDone = kMostLoops;
        time = 0.0f;
        return;
    }
    const float rest = std::fmod(time, lastFrame);
    loopsDone = AddPasses(loopsDone, std::round((static_cast<double>(time) - rest) / lastFrame));
    time = rest;
}

// A time outside the range (below it, beyond it or not a number) shows the
// range's nearest end: no frame lies outside it and no conversion meets a
// value its type cannot hold.
void AnimationControl::SetFrames(u32 span, bool reversed, u32 lowest)
{
    const u32 lastFrame = span == 0 ? 0 : span - 1;
    const float shown = time > 0.0f ? std::min(time, static_cast<float>(lastFrame)) : 0.0f;
    frameA_ = static_cast<u32>(std::min<u64>(static_cast<u64>(shown), lastFrame));
    blend_ = shown - static_cast<float>(frameA_);
    frameB_ = frameA_ + 1 >= span ? frameA_ : frameA_ + 1;
    if (reversed) {
        frameA_ = span - frameA_ - 1;
        frameB_ = span - frameB_ - 1;
        blend_ = 1.0f - blend_;
        std::swap(frameA_, frameB_);
    }
    frameA_ += lowest;
    frameB_ += lowest;
    if (!interpolate)
        blend_ = 0.0f;
    if (frameA_ >= frameCount_)
        frameA_ = 0;
    if (frameB_ >= frameCount_)
        frameB_ = 0;
}

} // namespace Halvard
