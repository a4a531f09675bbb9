#pragma once

#include "engine/core/Types.h"

#include <map>
#include <string>

namespace Halvard {

class MessageManager;
class TimerManager;

// Turns frame time into two frame indices and a blend factor inside a named
// frame range. Owners set the public playback fields directly. Main thread.
class AnimationControl {
public:
    struct Range {
        u32 first;
        u32 last;
    };

    // Mode 1 lets a continuously looping range blend its last frame into the
    // one after it.
    AnimationControl(MessageManager* messages, TimerManager* timers, u32 mode, u32 frameCount);
    AnimationControl(const AnimationControl& other);
    AnimationControl& operator=(const AnimationControl&) = delete;
    virtual ~AnimationControl() = default;

    // A speed read from a file: one that is not finite (infinite or not a
    // number) is refused with a FileError of the reader's text. Any finite
    // speed plays: the frame's wrap takes constant time.
    static float CheckSpeed(float speed, const std::string& error);

    // An id that is present keeps its range.
    void AddAnimation(i32 id, u32 first, u32 last);
    void SetAnimation(i32 id);
    void Play();
    void Stop();
    void CopyState(const AnimationControl& other);
    void SetLastFrame();
    void SetRandomFrame();
    void Update();
    // Shows one frame of the current range, counted from its first frame
    // (clamped to the range), and keeps it: playing stops and Update leaves
    // the frame alone until SetAnimation or Play. Widgets show their states
    // this way.
    void HoldFrame(u32 frame);
    // The same over the whole frame list, for a model without ranges.
    void HoldListFrame(u32 frame);
    bool IsHeld() const { return held_ != 0; }
    // The frames of the current range.
    u32 GetRangeFrameCount() const;

    u32 GetMode() const { return mode_; }
    u32 GetFrameCount() const { return frameCount_; }
    i32 GetAnimation() const { return currentId_; }
    u32 GetFrameA() const { return frameA_; }
    u32 GetFrameB() const { return frameB_; }
    float GetBlend() const { return blend_; }

    float speed = 0.0f;
    float time = 0.0f;
    u8 looping = 0;
    u32 loopLimit = 0;
    u32 loopsDone = 0;
    float minimumDelay = 0.0f;
    float maximumDelay = 0.0f;
    float countdown = 0.0f;
    u8 interpolate = 1;
    u8 playing = 0;

private:
    Range& CurrentRange();
    void Advance(u32 span, bool continuous);
    void Wrap(float lastFrame);
    void SetFrames(u32 span, bool reversed, u32 lowest);

    MessageManager* messages_;
    TimerManager* timers_;
    u32 mode_;
    u32 frameCount_;
    std::map<i32, Range> ranges_;
    i32 currentId_ = -1;
    u32 frameA_ = 0;
    u32 frameB_ = 0;
    float blend_ = 0.0f;
    u8 held_ = 0;
};

} // namespace Halvard
