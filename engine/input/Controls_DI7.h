#pragma once

#include "engine/input/Controls.h"

#include <cstddef>
#include <map>
#include <string>

namespace Platform {
class InputDevice;
class KeyboardDevice;
class MouseDevice;
} // namespace Platform

namespace Halvard {

// The controls over the input system's keyboard and mouse devices: once a
// frame it takes at most eight buffered events from each (or, unbuffered or
// after an overflow or a lost device, their immediate state), feeds the key
// states, mouse movement and wheel in, and runs the base update. Start-up and
// shutdown are logged step by step. Main thread only.
class Controls_DI7 : public Controls {
public:
    // Buffered asks for buffered reading of both devices; a device whose
    // buffer is refused is read from its immediate state for good.
    Controls_DI7(MessageManager* messages, TimerManager* timers, Window* window, bool buffered);
    ~Controls_DI7() override;

    void Update() override;

    bool IsKeyboardBuffered() const { return keyboardBuffered_; }
    bool IsMouseBuffered() const { return mouseBuffered_; }

private:
    void InitializeDevices();
    bool SetBuffered(Platform::InputDevice& device, size_t events);
    void LogUnsettableSteps();
    void ReadKeyboard();
    bool ReadBufferedKeyboard();
    void ReadImmediateKeyboard();
    void ReadMouse();
    bool ReadBufferedMouse();
    void ReadImmediateMouse();

    Platform::KeyboardDevice* keyboard_ = nullptr;
    Platform::MouseDevice* mouse_ = nullptr;
    std::map<i32, std::string> codeToName_;
    bool keyboardBuffered_;
    bool mouseBuffered_;
};

} // namespace Halvard
