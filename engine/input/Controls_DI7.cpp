#include "engine/input/Controls_DI7.h"

#include "engine/core/MessageManager.h"
#include "engine/input/KeyNames.h"
#include "platform/input/InputSystem.h"

#include <array>
#include <map>

namespace Halvard {

namespace {

constexpr size_t kKeyboardBufferSize = 8;
constexpr size_t kMouseBufferSize = 16;

constexpr size_t kEventsPerFrame = 8;

using FrameEvents = std::array<Platform::InputEvent, kEventsPerFrame>;

bool IsDown(i32 data) { return (data & Platform::kInputDown) != 0; }

// A failed read tries to get the device back once, for the next frame; the
// caller falls back to the immediate state for this one.
bool ReadEvents(Platform::InputDevice& device, FrameEvents& events, size_t& count)
{
    if (device.Read(events, count) == Platform::InputDevice::ReadResult::kOk)
        return true;
    device.Acquire();
    return false;
}

} // namespace

Controls_DI7::Controls_DI7(MessageManager* messages, TimerManager* timers, Window* window, bool buffered)
    : Controls(messages, timers, window), keyboardBuffered_(buffered), mouseBuffered_(buffered)
{
    InitializeDevices();
    std::map<std::string, i32> nameToCode;
    for (const NamedKey& key : GetKeyNames())
        nameToCode.emplace(key.name, key.code);
    // Walking the names in order lets the keyboard's names, which sort
    // first, keep the codes that the mouse buttons 2 to 8 share with them.
    for (const auto& [name, code] : nameToCode)
        codeToName_.emplace(code, name);
}

Controls_DI7::~Controls_DI7()
{
    MessageManager* messages = GetMessages();
    messages->LogMessage("\nDirectInput devices destroying:");
    messages->LogMessage("...Keyboard...");
    keyboard_->Release();
    messages->LogMessage("...Mouse...");
    mouse_->Release();
    messages->LogMessage("...DirectInput object...");
    SetCursorVisible(true);
}

void Controls_DI7::Update()
{
    ReadKeyboard();
    ReadMouse();
    Controls::Update();
}

void Controls_DI7::InitializeDevices()
{
    MessageManager* messages = GetMessages();
    messages->LogMessage("Initialization of DirectInput devices...");
    messages->LogMessage("...Creating a DirectInput object...");
    Platform::InputSystem& input = Platform::GetInputSystem();

    messages->LogMessage("...Keyboard:");
    messages->LogMessage("......Obtaining an interface to the system keyboard device...");
    keyboard_ = &input.GetKeyboard();
    LogUnsettableSteps();
    if (keyboardBuffered_)
        keyboardBuffered_ = SetBuffered(*keyboard_, kKeyboardBufferSize);
    keyboard_->Acquire();

    messages->LogMessage("...Mouse:");
    messages->LogMessage("......Obtaining an interface to the system mouse device...");
    mouse_ = &input.GetMouse();
    LogUnsettableSteps();
    if (mouseBuffered_)
        mouseBuffered_ = SetBuffered(*mouse_, kMouseBufferSize);
    mouse_->Acquire();
}

// The devices here have no data format or access level to choose; the steps
// keep their lines so that the log reads the same on every system.
void Controls_DI7::LogUnsettableSteps()
{
    GetMessages()->LogMessage("......Setting the data format...");
    GetMessages()->LogMessage("......Setting the cooperativity level...");
}

bool Controls_DI7::SetBuffered(Platform::InputDevice& device, size_t events)
{
    GetMessages()->LogMessage("......Setting the buffered mode...");
    if (device.SetBufferSize(events))
        return true;
    GetMessages()->LogError("Failed to set the buffered mode, switching to the immediate mode");
    return false;
}

void Controls_DI7::ReadKeyboard()
{
    if (!keyboardBuffered_ || !ReadBufferedKeyboard())
        ReadImmediateKeyboard();
}

bool Controls_DI7::ReadBufferedKeyboard()
{
    FrameEvents events;
    size_t count = 0;
    if (!ReadEvents(*keyboard_, events, count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const auto name = codeToName_.find(static_cast<i32>(events[i].code));
        if (name != codeToName_.end())
            SetKeyState(name->second, IsDown(events[i].data));
    }
    return true;
}

// A device that cannot be read leaves every key up for the frame.
void Controls_DI7::ReadImmediateKeyboard()
{
    Platform::KeyboardDevice::KeyStates keys{};
    if (!keyboard_->GetState(keys))
        keyboard_->Acquire();
    for (const NamedKey& key : GetKeyboardKeyNames())
        SetKeyState(key.name, keys[static_cast<size_t>(key.code)] != 0);
}

void Controls_DI7::ReadMouse()
{
    mouseMove_ = Vector2(0.0f, 0.0f);
    wheel_ = 0;
    if (!mouseBuffered_ || !ReadBufferedMouse())
        ReadImmediateMouse();
}

bool Controls_DI7::ReadBufferedMouse()
{
    FrameEvents events;
    size_t count = 0;
    if (!ReadEvents(*mouse_, events, count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const Platform::InputEvent& event = events[i];
        switch (event.code) {
        case Platform::kMouseX:
            mouseMove_.x += static_cast<float>(event.data);
            break;
        case Platform::kMouseY:
            mouseMove_.y += static_cast<float>(event.data);
            break;
        case Platform::kMouseWheel:
            wheel_ += event.data;
            break;
        default:
            if (event.code >= Platform::kMouseButton0 &&
                event.code < Platform::kMouseButton0 + Platform::kMouseButtonCount)
                SetKeyState(GetMouseButtonName(event.code - Platform::kMouseButton0), IsDown(event.data));
            break;
        }
    }
    return true;
}

// A buffered mouse falling back for a frame reports no movement in it: its
// state gathers movement from one state read to the next, and the events of
// earlier frames have already delivered most of it.
void Controls_DI7::ReadImmediateMouse()
{
    Platform::MouseDevice::State state;
    if (!mouse_->GetState(state))
        mouse_->Acquire();
    for (u32 button = 0; button < Platform::kMouseButtonCount; ++button)
        SetKeyState(GetMouseButtonName(button), state.buttons[button] != 0);
    if (mouseBuffered_)
        return;
    mouseMove_ = Vector2(static_cast<float>(state.x), static_cast<float>(state.y));
    wheel_ = state.wheel;
}

} // namespace Halvard
