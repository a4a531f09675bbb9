#pragma once

#include <cstddef>
#include <deque>
#include <span>

#include "platform/input/InputEvent.h"

namespace Platform {

// A device of the input system: it keeps an immediate state and, once given
// a buffer size, the events in the order they came. It hears the system only
// while acquired; losing the window's focus loses it, because key and button
// releases made elsewhere never reach the program. Main thread only.
class InputDevice {
public:
    enum class ReadResult {
        kOk,
        // More events came than the buffer holds: the buffer was emptied and
        // only the immediate state is still right.
        kOverflow,
        // Not acquired: nothing was read.
        kNotAcquired,
    };

    static constexpr size_t kMaxBufferSize = 1024;

    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    // 0 keeps no events; sizes above the device's limit are refused, and
    // the device then keeps no events either.
    bool SetBufferSize(size_t events);
    // The most events the device can keep, kMaxBufferSize unless lowered; a
    // device that cannot buffer at all has 0. Tests lower it to see a buffer
    // refused.
    void SetBufferLimit(size_t events) { bufferLimit_ = events; }
    size_t GetBufferLimit() const { return bufferLimit_; }
    void Acquire();
    bool IsAcquired() const { return acquired_; }
    // Unacquires and drops the buffer size, which leaves the device as its
    // next user expects to find it.
    void Release();

    // Moves the oldest events, up to the room of out, into out and counts
    // them; later events wait for the next read.
    ReadResult Read(std::span<InputEvent> out, size_t& count);

    // What the input system calls.
    void Post(const InputEvent& event);
    void Lose();

protected:
    InputDevice() = default;
    ~InputDevice() = default;

    virtual void ApplyToState(const InputEvent& event) = 0;
    virtual void ClearState() = 0;
    // Folds the event into one already waiting, when the device may; true
    // when it did.
    virtual bool Fold(std::deque<InputEvent>& waiting, const InputEvent& event);

private:
    void Clear();

    std::deque<InputEvent> waiting_;
    size_t bufferSize_ = 0;
    size_t bufferLimit_ = kMaxBufferSize;
    bool overflowed_ = false;
    bool acquired_ = false;
};

} // namespace Platform
