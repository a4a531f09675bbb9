#include "tests/engine/input/ControlsTestBed.h"

#include "engine/input/KeyNames.h"
#include "platform/input/InputSystem.h"
#include "tests/support/LogProbe.h"
#include "tests/support/SdlEvents.h"

namespace Testing {

ControlsTestBed::ControlsTestBed() { ResetInput(); }

ControlsTestBed::~ControlsTestBed()
{
    controls.reset();
    window.reset();
    ResetInput();
}

void ControlsTestBed::Start(bool buffered, const Screen& screen)
{
    const Halvard::WindowSettings settings{.title = "Halvard 0.67", .width = screen.width, .height = screen.height,
                                           .fullScreen = screen.fullScreen};
    window = std::make_unique<Halvard::Window>(&log, &config, settings);
    firstControlsLine_ = log.GetLogEntryCount();
    controls = std::make_unique<Halvard::Controls_DI7>(&log, &timers, window.get(), buffered);
}

void ControlsTestBed::Send(std::initializer_list<SDL_Event> events) { Dispatch(events); }

void ControlsTestBed::BeginFrame(float seconds)
{
    clock.Advance(seconds);
    timers.Update();
    controls->Update();
}

void ControlsTestBed::EndFrame() { controls->ResetPressedKeys(); }

void ControlsTestBed::Frame(float seconds)
{
    BeginFrame(seconds);
    EndFrame();
}

std::vector<std::string> ControlsTestBed::ControlsLogLines() const
{
    std::vector<std::string> lines = LogProbe(log).Texts();
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(firstControlsLine_, lines.size()));
    for (std::string& text : lines) {
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
    }
    return lines;
}

std::vector<std::string> ControlsTestBed::KeysDown() const
{
    std::vector<std::string> names;
    for (const Halvard::NamedKey& key : Halvard::GetKeyNames()) {
        if (controls->IsKeyDown(key.name))
            names.emplace_back(key.name);
    }
    return names;
}

std::vector<std::string> ControlsTestBed::KeysPressed() const
{
    std::vector<std::string> names;
    for (const Halvard::NamedKey& key : Halvard::GetKeyNames()) {
        if (controls->IsKeyPressed(key.name))
            names.emplace_back(key.name);
    }
    return names;
}

Platform::ScreenPoint ControlsTestBed::CursorOnScreen() { return Platform::GetInputSystem().GetCursor().GetPosition(); }

} // namespace Testing
