#pragma once

#include "platform/video/GLVideoSystem.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/TestEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <functional>
#include <memory>

namespace Testing {

// The real engine offscreen on an 800 x 600 window with the GUI space the
// same size, a menu window bed on a fixture, and a player's mouse through
// SDL's queue; the input state is reset on the way in and out. Windows made
// on it must go before it.
class OffscreenMenuBed {
public:
    explicit OffscreenMenuBed(const MenuFixture& fixture);
    ~OffscreenMenuBed();

    OffscreenMenuBed(const OffscreenMenuBed&) = delete;
    OffscreenMenuBed& operator=(const OffscreenMenuBed&) = delete;

    // SDL's queued events, then one frame of the bed.
    void Frame(const std::function<void()>& updates);
    // A mouse on the engine's window.
    ScriptedInput Mouse();

    Platform::GLVideoSystem video;
    ScopedVideoSystem installed{video};
    FakeClock clock;
    ScopedClock scoped{clock};
    TestEngine engine;
    std::unique_ptr<MenuWindowBed> bed;
};

} // namespace Testing
