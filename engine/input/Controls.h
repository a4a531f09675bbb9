#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <map>
#include <string>
#include <vector>

namespace Halvard {

class MessageManager;
class TimerManager;
class Window;

// The engine's input: keys and mouse buttons by name (KeyNames.h), the key
// event of this frame, the mouse's movement and wheel, and the cursor on the
// 4:3 virtual screen. A device layer derived from it feeds the key states in
// before it runs the base update. Pressed states and the window's key event
// live from the update at a frame's start to ResetPressedKeys at its end.
// Keeps plain pointers to the log, the timers and the window, which must
// outlive it. Main thread only.
class Controls {
public:
    Controls(MessageManager* messages, TimerManager* timers, Window* window);
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;
    // Shows the cursor again.
    virtual ~Controls();

    virtual void Update();
    virtual void ResetPressedKeys();

    // Names are taken in any letter case. Both answer false while input is
    // blocked and for names that are not key names. A key that went down and
    // up again within one frame counts as down for that frame.
    bool IsKeyPressed(const std::string& name) const;
    bool IsKeyDown(const std::string& name) const;
    bool IsAnyKeyActive() const;

    // The window's key event of this frame: a typed 16-bit character, or the
    // virtual-key code of a key that went down. False while input is blocked
    // or when there is none.
    bool GetCharacter(u16& code, bool& isCharacter) const;

    // Every key query answers false until an update finds no key event and
    // no key active, or until the block has lasted more than two seconds and
    // the system knows no key to be down: a key that closed one window must
    // not act on the next.
    void BlockInput() { inputBlocked_ = true; }
    bool IsInputBlocked() const { return inputBlocked_; }

    bool IsCursorVisible() const { return cursorVisible_; }
    void SetCursorVisible(bool visible);
    // The cursor in the window's client area, mapped so that in full screen
    // on a wide or tall display the centred 4:3 picture spans the client
    // range; positions over the bars fall outside it.
    Vector2 GetCursorPosition() const;

    // How far the system cursor moves for each pixel the mouse moves it.
    void SetMouseSpeed(const Vector2& speed) { mouseSpeed_ = speed; }

    // A name outside the key names is ignored. Down sets the held and the
    // pressed flag of a key not yet held; up clears only the held flag.
    void SetKeyState(const std::string& name, bool down);

    // This frame's mouse: the device's movement and the cursor's in pixels
    // (both with y growing upwards), and the wheel, 120 per notch. A frame
    // that turned the wheel is followed by one whose wheel reads 0.
    const Vector2& GetMouseMove() const { return mouseMove_; }
    const Vector2& GetCursorMove() const { return cursorMove_; }
    i32 GetWheel() const { return wheel_; }

protected:
    MessageManager* GetMessages() const { return messages_; }
    const std::string& GetMouseButtonName(u32 button) const { return mouseButtonNames_[button]; }

    // Filled by the device layer before the base update.
    Vector2 mouseMove_{0.0f, 0.0f};
    i32 wheel_ = 0;

private:
    void MoveCursor();
    void LatchWheel();
    void UpdateBlock();
    void ApplyCursorVisibility();

    MessageManager* messages_;
    TimerManager* timers_;
    Window* window_;
    bool cursorVisible_ = true;
    Vector2 mouseSpeed_{1.0f, 1.0f};
    std::map<std::string, u8> heldKeys_;
    std::map<std::string, u8> pressedKeys_;
    std::vector<std::string> mouseButtonNames_;
    bool wheelLatch_ = false;
    Vector2 cursorMove_{0.0f, 0.0f};
    i32 lastCursorX_ = 0;
    i32 lastCursorY_ = 0;
    bool inputBlocked_ = false;
    float blockTime_ = 0.0f;
};

} // namespace Halvard
