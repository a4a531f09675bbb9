#pragma once

#include "platform/window/SystemEvent.h"

union SDL_Event;

namespace Platform {

// The platform's event for one of SDL's events. The event dispatcher reads
// SDL's queue through here; tests that build SDL events by hand hand them
// over through here too. Only the platform and the tests include this.
SystemEvent TranslateSdlEvent(const SDL_Event& event);

} // namespace Platform
