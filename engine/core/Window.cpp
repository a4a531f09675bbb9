#include "engine/core/Window.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "platform/window/EventDispatcher.h"
#include "platform/window/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

namespace Halvard {

namespace {

// Window styles in the numbers of the window code's platform: they say what
// the window looks like, and the caption bit decides whether the window
// manager draws a frame.
constexpr u32 kCaptionStyle = 0x00C00000;
constexpr u32 kClipSiblingsAndChildren = 0x06000000;

// The one window that receives the dispatcher's messages.
Window* liveWindow = nullptr;

bool ForwardToLiveWindow(Platform::WindowMessage& message)
{
    return liveWindow != nullptr && liveWindow->HandleMessage(message);
}

// A window larger than the work area starts at the area's edge, so that its
// caption stays on the screen.
i32 CenterOn(i32 start, u32 extent, u32 size)
{
    return size >= extent ? start : start + static_cast<i32>((extent - size) / 2);
}

// The system's reason goes into the log and the box beside the step that
// failed: without it a missing display reads like a broken program.
std::string WithCause(const std::string& text, const std::string& cause)
{
    return cause.empty() ? text : text + ": " + cause;
}

float Clamped(float value) { return std::clamp(value, 0.0f, 2.0f); }

} // namespace

Window::Window(MessageManager* messages, Config* config, const WindowSettings& settings)
    : messages_(messages), config_(config), centered_(settings.centered), windowX_(settings.x),
      windowY_(settings.y), clientWidth_(settings.width), clientHeight_(settings.height),
      fullScreen_(settings.fullScreen)
{
    messages_->LogMessage(" ");
    messages_->LogMessage("Window creation:");
    Platform::WindowSystem& system = Platform::GetWindowSystem();
    messages_->LogMessage("...Registering the window class...");
    if (!system.Open())
        messages_->LogFatal(WithCause("Failed to register the window class", system.GetOpenFailure()));
    cursor_ = system.GetArrowCursor();
    if (settings.hostWindow != 0)
        messages_->LogWarning("A host window was given, but the window can only be made top-level");

    const Style& style = StyleFor(fullScreen_);
    style_ = style.style | kClipSiblingsAndChildren;
    extendedStyle_ = style.extendedStyle;
    workArea_ = system.GetWorkArea();
    windowRect_ = PlaceClientArea();
    CreateNativeWindow(settings.title, settings.iconId);

    // The drawing context belongs to the render system, which makes it on
    // this window; the step is only logged.
    messages_->LogMessage("...Creating a device context...");
    handle_->Show();
    handle_->TakeFocus();
    focused_ = handle_->HasFocus();
    if (fullScreen_)
        ApplyGamma();
    ClearKeyEvent();
    ReadDesktopShape();

    liveWindow = this;
    Platform::GetEventDispatcher().SetProcedure(ForwardToLiveWindow);
}

Window::~Window()
{
    if (liveWindow == this) {
        liveWindow = nullptr;
        Platform::GetEventDispatcher().SetProcedure(nullptr);
    }
    messages_->LogMessage("\nWindow destroying:");
    messages_->LogMessage("...Releasing device context...");
    messages_->LogMessage("...Releasing window...");
    handle_.reset();
    messages_->LogMessage("...Unregistering class...");
    Platform::GetWindowSystem().Close();
}

const Window::Style& Window::StyleFor(bool fullScreen)
{
    // WS_POPUP | WS_SYSMENU with WS_EX_APPWINDOW; WS_CAPTION | WS_SYSMENU |
    // WS_MINIMIZEBOX | WS_MAXIMIZEBOX with WS_EX_APPWINDOW | WS_EX_WINDOWEDGE.
    static const Style kFullScreen{0x80080000, 0x00040000, true};
    static const Style kWindowed{0x00CB0000, 0x00040100, false};
    return fullScreen ? kFullScreen : kWindowed;
}

// SDL places the client area itself, so the window rectangle is the client
// rectangle and the frame is the window manager's business.
Platform::ScreenRect Window::PlaceClientArea() const
{
    if (fullScreen_)
        return Platform::ScreenRect{0, 0, clientWidth_, clientHeight_};
    if (centered_) {
        return Platform::ScreenRect{CenterOn(workArea_.x, workArea_.width, clientWidth_),
                                    CenterOn(workArea_.y, workArea_.height, clientHeight_), clientWidth_,
                                    clientHeight_};
    }
    return Platform::ScreenRect{static_cast<i32>(windowX_), static_cast<i32>(windowY_), clientWidth_,
                                clientHeight_};
}

Platform::WindowShape Window::CurrentShape() const
{
    Platform::WindowShape shape;
    shape.rect = windowRect_;
    shape.fullScreen = fullScreen_;
    shape.captioned = (style_ & kCaptionStyle) == kCaptionStyle;
    shape.topmost = StyleFor(fullScreen_).topmost;
    return shape;
}

void Window::CreateNativeWindow(const std::string& title, u32 iconId)
{
    Platform::WindowSystem& system = Platform::GetWindowSystem();
    handle_ = system.CreateWindow(SystemTitle(title), CurrentShape(), iconId);
    if (!handle_) {
        system.Close();
        messages_->LogFatal("Failed to create window");
    }
}

// A desktop whose size cannot be read counts as 4:3, neither wide nor tall.
void Window::ReadDesktopShape()
{
    const Platform::ScreenSize desktop = Platform::GetWindowSystem().GetDesktopSize();
    aspectRatio_ = desktop.height == 0 ? 4.0f / 3.0f
                                       : static_cast<float>(desktop.width) / static_cast<float>(desktop.height);
    wide_ = aspectRatio_ > 1.34f;
    tall_ = !wide_ && aspectRatio_ < 1.3266667f;
}

// The combination acts when it goes down, not in every frame it is held:
// holding it would otherwise flip the mode and write the ini file each frame.
void Window::Update()
{
    const Platform::EventDispatcher& dispatcher = Platform::GetEventDispatcher();
    const bool held = dispatcher.IsKeyHeld(Platform::kVkMenu) && dispatcher.IsKeyHeld(Platform::kVkReturn);
    const bool pressed = held && !altEnterHeld_;
    altEnterHeld_ = held;
    if (!pressed || minimized_ || !HasFocus())
        return;
    config_->fullScreen = config_->fullScreen ? 0 : 1;
    config_->Save();
    config_->SetCommandHandled("v_window_change_mode", false);
}

// Leaving full screen gives the display its desktop mode back.
void Window::SetMode(u32 width, u32 height, bool fullScreen)
{
    clientWidth_ = width;
    clientHeight_ = height;
    fullScreen_ = fullScreen;
    const Style& style = StyleFor(fullScreen_);
    style_ = style.style;
    extendedStyle_ = style.extendedStyle;
    windowRect_ = PlaceClientArea();
    handle_->Reshape(CurrentShape());
    handle_->TakeFocus();
    if (fullScreen_)
        ApplyGamma();
}

bool Window::HasFocus() const { return focused_; }

void Window::SetTitle(const std::string& title) { handle_->SetTitle(SystemTitle(title)); }

// Titles are narrow text in the code page, like every text the player
// reads; the window system wants UTF-8.
std::string Window::SystemTitle(const std::string& title) { return Platform::WideToUtf8(ToWString(title)); }

void Window::Minimize() { handle_->Minimize(); }

void Window::SetCursor(Platform::Cursor* cursor)
{
    cursor_ = cursor;
    Platform::GetWindowSystem().SetCursor(cursor_);
}

// The program carries no cursor images of its own: each of its cursors is
// the system's arrow.
Platform::Cursor* Window::LoadCursor(u16) const { return Platform::GetWindowSystem().GetArrowCursor(); }

void Window::ApplyGamma()
{
    config_->brightness = Clamped(config_->brightness);
    config_->contrast = Clamped(config_->contrast);
    config_->gamma = Clamped(config_->gamma);
}

wchar_t Window::CharToWide(u8 character)
{
    std::wstring wide;
    ConvertStringToWString(std::string(1, static_cast<char>(character)), wide);
    return wide.empty() ? L'A' : wide[0];
}

bool Window::HandleMessage(Platform::WindowMessage& message)
{
    switch (message.id) {
    case Platform::WindowMessage::kKeyDown:
    case Platform::WindowMessage::kSysKeyDown:
        keyEvent_ = KeyEvent{true, false, static_cast<u16>(message.param)};
        return false;
    case Platform::WindowMessage::kChar:
        if (message.param > 31)
            keyEvent_ = KeyEvent{true, true, static_cast<u16>(message.param)};
        return false;
    case Platform::WindowMessage::kClose:
    case Platform::WindowMessage::kQuit:
        config_->ExecuteLine("exit");
        return true;
    case Platform::WindowMessage::kSetFocus:
        focused_ = true;
        return false;
    case Platform::WindowMessage::kKillFocus:
        focused_ = false;
        return false;
    case Platform::WindowMessage::kPositionChanging:
        OnPositionChanging(message.rect);
        return false;
    case Platform::WindowMessage::kSysCommand:
        return OnSystemCommand(message.param);
    default:
        return false;
    }
}

// The window may be moved, but its size is the program's.
void Window::OnPositionChanging(Platform::ScreenRect& proposed) const
{
    if (proposed.width != windowRect_.width || proposed.height != windowRect_.height)
        proposed = windowRect_;
}

// Maximising asks for full screen instead.
bool Window::OnSystemCommand(u32 command)
{
    switch (command) {
    case Platform::WindowMessage::kMinimize:
        if (minimized_)
            Restore();
        else
            minimized_ = true;
        return false;
    case Platform::WindowMessage::kMaximize:
        if (minimized_) {
            Restore();
            return false;
        }
        if (!fullScreen_)
            RequestFullScreen();
        return true;
    case Platform::WindowMessage::kRestore:
        Restore();
        return false;
    default:
        return false;
    }
}

void Window::Restore()
{
    minimized_ = false;
    if (fullScreen_)
        ApplyGamma();
}

void Window::RequestFullScreen()
{
    config_->fullScreen = 1;
    config_->Save();
    config_->SetCommandHandled("v_window_change_mode", false);
}

} // namespace Halvard
