#pragma once

#include <cstdint>
#include <string>

namespace Platform {

struct ScreenRect {
    int32_t x = 0;
    int32_t y = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

struct ScreenSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// How a window stands on the screen. The rectangle is the client area: the
// window manager draws any caption and border outside it.
struct WindowShape {
    ScreenRect rect;
    // Takes the whole display, which switches to the mode nearest the size;
    // the position is then ignored.
    bool fullScreen = false;
    // Caption and border; without them the window is a bare rectangle.
    bool captioned = false;
    bool topmost = false;
};

// One top-level window of the program. Made by the WindowSystem, owned by
// whoever asked for it; destroying it closes the window. Main thread only.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // Gives the window a new shape and shows it.
    virtual void Reshape(const WindowShape& shape) = 0;
    // The title in UTF-8.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void Show() = 0;
    // Brings the window to the front and asks for the keyboard focus, which
    // may arrive later or not at all.
    virtual void TakeFocus() = 0;
    // Whether the window holds the keyboard focus now.
    virtual bool HasFocus() const = 0;
    // Asks the window manager to minimise the window; the window learns that
    // it happened from the minimise message.
    virtual void Minimize() = 0;
};

} // namespace Platform
