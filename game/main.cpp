#include "engine/app/Engine.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/Error.h"
#include "platform/os/MessageBox.h"
#include "platform/window/EventDispatcher.h"

#include <memory>

namespace {

// Waiting messages come first; a frame runs whenever the queue is empty.
void RunLoop(Halvard::Engine& engine)
{
    Platform::EventDispatcher& dispatcher = Platform::GetEventDispatcher();
    while (!engine.IsExitRequested()) {
        if (!dispatcher.PumpOne()) {
            engine.BeginFrame();
            engine.EndFrame(0);
        }
    }
}

void ShowFatalError(const std::string& text)
{
    Platform::ShowMessageBox("Fatal Error", text, Platform::MessageBoxIcon::kError);
}

} // namespace

// The box is shown once the engine, and with it the window, is gone. The
// exit status tells a script whether the run ended in an error.
int main()
{
    std::unique_ptr<Halvard::Engine> engine;
    try {
        engine = std::make_unique<Halvard::Engine>(Halvard::EngineSettings{});
        RunLoop(*engine);
        engine.reset();
    } catch (const Halvard::Error& error) {
        engine.reset();
        ShowFatalError(error.GetText());
        return 1;
    } catch (...) {
        engine.reset();
        ShowFatalError("Unhandled exception!");
        return 1;
    }
    return 0;
}
