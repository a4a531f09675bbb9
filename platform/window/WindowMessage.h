#pragma once

#include <cstdint>
#include <functional>

#include "platform/window/NativeWindow.h"

namespace Platform {

// What the event dispatcher hands to the program's window: the events of the
// system in the shape of the messages the window code was written for (the
// numbers are those messages' own).
struct WindowMessage {
    enum Id : uint32_t {
        kSetFocus = 0x0007,
        kKillFocus = 0x0008,
        kClose = 0x0010,
        kQuit = 0x0012,
        kPositionChanging = 0x0046,
        kKeyDown = 0x0100,
        kChar = 0x0102,
        kSysKeyDown = 0x0104,
        kSysCommand = 0x0112,
    };
    enum Command : uint32_t {
        kMinimize = 0xF020,
        kMaximize = 0xF030,
        kRestore = 0xF120,
    };

    uint32_t id = 0;
    // Key down: the virtual-key code. Char: one 16-bit character. System
    // command: the command.
    uint32_t param = 0;
    // Position changing: the client rectangle the window is about to take;
    // the procedure may replace it, and the window then takes that instead.
    ScreenRect rect;
};

// The program's window procedure. It returns true when it dealt with the
// message itself, so that the system's own handling must not follow: a
// minimise or maximise that the window manager already carried out is then
// undone.
using WindowProcedure = std::function<bool(WindowMessage&)>;

} // namespace Platform
