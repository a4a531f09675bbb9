#pragma once

#include "engine/core/Types.h"
#include "engine/core/WindowSettings.h"
#include "platform/window/NativeWindow.h"
#include "platform/window/WindowMessage.h"

#include <memory>
#include <string>

namespace Platform {
class Cursor;
}

namespace Halvard {

class MessageManager;
class Config;

// The game's one application window: made windowed or full screen, switched
// between the two on request, and the window procedure that turns the
// system's messages into configuration commands and the last key event. It
// does not draw: the render system draws into it. One live window per
// process, which receives the event dispatcher's messages; main thread only.
class Window {
public:
    // What the window procedure last saw of the keyboard; the controls read
    // and clear it.
    struct KeyEvent {
        bool pending = false;
        // True for a typed 16-bit character, false for a virtual-key code.
        bool isCharacter = false;
        u16 code = 0;
    };

    // A host window cannot be embedded into here: a non-zero hostWindow logs
    // a warning and the window is made top-level. Failures end in
    // MessageManager::LogFatal, which throws FatalError.
    Window(MessageManager* messages, Config* config, const WindowSettings& settings);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Per frame: Alt+Enter, once per press of the combination.
    void Update();
    // Re-styles and re-places the window; the render system calls it when it
    // makes its device.
    void SetMode(u32 width, u32 height, bool fullScreen);
    bool HasFocus() const;
    // The title in the current code page.
    void SetTitle(const std::string& title);
    void Minimize();
    void SetCursor(Platform::Cursor* cursor);
    Platform::Cursor* LoadCursor(u16 resourceId) const;
    // Clamps "v_brightness", "v_contrast" and "v_gamma" to 0 ... 2; the
    // display's gamma itself is never changed.
    void ApplyGamma();
    static wchar_t CharToWide(u8 character);

    // The window procedure: the event dispatcher hands it every message.
    // True when the message was dealt with here and the system's own
    // handling must not follow.
    bool HandleMessage(Platform::WindowMessage& message);

    // Valid for the window's lifetime.
    Platform::NativeWindow* GetHandle() const { return handle_.get(); }
    u32 GetClientWidth() const { return clientWidth_; }
    u32 GetClientHeight() const { return clientHeight_; }
    bool IsFullScreen() const { return fullScreen_; }
    u32 GetHostWindow() const { return hostWindow_; }
    bool IsWide() const { return wide_; }
    bool IsTall() const { return tall_; }
    float GetAspectRatio() const { return aspectRatio_; }
    // The part of the desktop that windows may use, read at creation.
    const Platform::ScreenRect& GetWorkArea() const { return workArea_; }
    bool IsMinimized() const { return minimized_; }
    const KeyEvent& GetKeyEvent() const { return keyEvent_; }
    void ClearKeyEvent() { keyEvent_ = KeyEvent{}; }

private:
    struct Style {
        u32 style;
        u32 extendedStyle;
        bool topmost;
    };

    static const Style& StyleFor(bool fullScreen);
    static std::string SystemTitle(const std::string& title);
    Platform::ScreenRect PlaceClientArea() const;
    Platform::WindowShape CurrentShape() const;
    void CreateNativeWindow(const std::string& title, u32 iconId);
    void ReadDesktopShape();
    void RequestFullScreen();
    void Restore();
    bool OnSystemCommand(u32 command);
    void OnPositionChanging(Platform::ScreenRect& proposed) const;

    MessageManager* messages_;
    Config* config_;
    bool minimized_ = false;
    bool centered_;
    u32 windowX_;
    u32 windowY_;
    u32 clientWidth_;
    u32 clientHeight_;
    bool fullScreen_;
    u32 hostWindow_ = 0;
    u32 style_ = 0;
    u32 extendedStyle_ = 0;
    std::unique_ptr<Platform::NativeWindow> handle_;
    Platform::Cursor* cursor_ = nullptr;
    bool focused_ = false;
    bool altEnterHeld_ = false;
    KeyEvent keyEvent_;
    Platform::ScreenRect workArea_;
    Platform::ScreenRect windowRect_;
    bool wide_ = false;
    bool tall_ = false;
    float aspectRatio_ = 0.0f;
};

} // namespace Halvard
