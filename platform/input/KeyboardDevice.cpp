#include "platform/input/KeyboardDevice.h"

namespace Platform {

bool KeyboardDevice::GetState(KeyStates& keys) const
{
    if (!IsAcquired())
        return false;
    keys = keys_;
    return true;
}

void KeyboardDevice::ApplyToState(const InputEvent& event)
{
    if (event.code < keys_.size())
        keys_[event.code] = static_cast<uint8_t>(event.data & kInputDown);
}

void KeyboardDevice::ClearState() { keys_.fill(0); }

} // namespace Platform
