#include "platform/input/MouseDevice.h"

#include <algorithm>
#include <climits>

namespace Platform {

namespace {

bool IsAxis(uint32_t item) { return item < kMouseButton0; }

// A buffered mouse's state is read only in the frames that fall back to it,
// so its movement may gather for a whole session; it stops at the ends of
// the range instead of overflowing.
int32_t AddMovement(int32_t total, int32_t movement)
{
    const int64_t sum = int64_t{total} + movement;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

} // namespace

bool MouseDevice::GetState(State& state)
{
    if (!IsAcquired())
        return false;
    state = state_;
    state_.x = 0;
    state_.y = 0;
    state_.wheel = 0;
    return true;
}

void MouseDevice::ApplyToState(const InputEvent& event)
{
    switch (event.code) {
    case kMouseX:
        state_.x = AddMovement(state_.x, event.data);
        break;
    case kMouseY:
        state_.y = AddMovement(state_.y, event.data);
        break;
    case kMouseWheel:
        state_.wheel = AddMovement(state_.wheel, event.data);
        break;
    default:
        if (event.code >= kMouseButton0 && event.code < kMouseButton0 + kMouseButtonCount)
            state_.buttons[event.code - kMouseButton0] = static_cast<uint8_t>(event.data & kInputDown);
        break;
    }
}

void MouseDevice::ClearState() { state_ = State{}; }

bool MouseDevice::Fold(std::deque<InputEvent>& waiting, const InputEvent& event)
{
    if (!IsAxis(event.code))
        return false;
    for (auto it = waiting.rbegin(); it != waiting.rend() && IsAxis(it->code); ++it) {
        if (it->code == event.code) {
            it->data = AddMovement(it->data, event.data);
            return true;
        }
    }
    return false;
}

} // namespace Platform
