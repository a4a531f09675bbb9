#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/window/Cursor.h"
#include "platform/window/NativeWindow.h"

namespace Platform {

// The display and its windows as the program sees them. The real backend is
// SDL2; tests install a fake with SetWindowSystem. Main thread only.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Gets the system ready to make windows; false when it cannot. Every
    // successful Open is matched by one Close.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Why the last Open failed, in the system's own words ("x11 not
    // available"); empty when it did not say.
    virtual std::string GetOpenFailure() const = 0;

    // The part of the first display that windows may use (without panels and
    // task bars), and the display's own mode on the desktop (not the one a
    // full-screen window may have switched to). Zero sizes when unknown.
    virtual ScreenRect GetWorkArea() = 0;
    virtual ScreenSize GetDesktopSize() = 0;

    // A hidden window titled in UTF-8; null when it cannot be made. An icon
    // number of 0 keeps the system's default icon; any other number gives the
    // program's icon.
    virtual std::unique_ptr<NativeWindow> CreateWindow(const std::string& title, const WindowShape& shape,
                                                       uint32_t iconNumber) = 0;

    virtual Cursor* GetArrowCursor() = 0;
    // Null leaves the cursor as it is.
    virtual void SetCursor(Cursor* cursor) = 0;
};

// The system in use: the one installed with SetWindowSystem, else SDL2's.
WindowSystem& GetWindowSystem();

// Installs a system that the caller keeps alive while it is installed; null
// restores SDL2's.
void SetWindowSystem(WindowSystem* system);

} // namespace Platform
