#include "platform/input/InputDevice.h"

namespace Platform {

bool InputDevice::SetBufferSize(size_t events)
{
    const bool accepted = events <= bufferLimit_;
    bufferSize_ = accepted ? events : 0;
    waiting_.clear();
    overflowed_ = false;
    return accepted;
}

void InputDevice::Acquire() { acquired_ = true; }

void InputDevice::Release()
{
    Clear();
    bufferSize_ = 0;
}

// Stale events behind an overflow would contradict the immediate state that
// the reader falls back to, so they go with it.
InputDevice::ReadResult InputDevice::Read(std::span<InputEvent> out, size_t& count)
{
    count = 0;
    if (!acquired_)
        return ReadResult::kNotAcquired;
    if (overflowed_) {
        waiting_.clear();
        overflowed_ = false;
        return ReadResult::kOverflow;
    }
    while (count < out.size() && !waiting_.empty()) {
        out[count++] = waiting_.front();
        waiting_.pop_front();
    }
    return ReadResult::kOk;
}

void InputDevice::Post(const InputEvent& event)
{
    if (!acquired_)
        return;
    ApplyToState(event);
    if (bufferSize_ == 0 || Fold(waiting_, event))
        return;
    if (waiting_.size() < bufferSize_)
        waiting_.push_back(event);
    else
        overflowed_ = true;
}

void InputDevice::Lose() { Clear(); }

bool InputDevice::Fold(std::deque<InputEvent>&, const InputEvent&) { return false; }

void InputDevice::Clear()
{
    acquired_ = false;
    waiting_.clear();
    overflowed_ = false;
    ClearState();
}

} // namespace Platform
